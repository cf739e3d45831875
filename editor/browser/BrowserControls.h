#pragma once

#include "skin/ComponentRow.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/TextButtonWithIcon.h"

/** The content browser's rows of controls under its panels: the Edit Mode row (Edit Mode,
    Delete, Export, Import, Import Samples, Normalize), OK and Cancel, and the save row (the
    name field, Save and Cancel).

    The browser adds the rows as its children, listens to the buttons and the field, and decides
    which show. Message thread only. */
class BrowserControls
{
public:
    static constexpr int rowHeight = 20;

    BrowserControls (juce::Button::Listener& buttonListener, juce::TextEditor::Listener& nameListener);

    /** Gives the field the look's font (when it is ours) and fits the buttons to their text. */
    void fitToLook (DefaultLookAndFeel* lf);
    /** Puts the rows at the bottom of area: the Edit Mode row left, the others right. */
    void placeRows (juce::Rectangle<int> area);

    TextButtonWithIcon exportButton { "Export" }, importButton { "Import" }, importSamplesButton { "Import Samples" },
        normalizeButton { "Normalize" };
    juce::TextButton okButton { "OK" }, cancelButton { "Cancel" }, saveButton { "Save" }, saveCancelButton { "Cancel" };
    ComponentRow editRow, okCancelRow, saveRow;
    TextButtonWithIcon editModeButton { "Edit Mode" }, deleteButton { "Delete" };
    juce::TextEditor nameEditor;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrowserControls)
};
