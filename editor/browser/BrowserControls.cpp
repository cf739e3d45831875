#include "editor/browser/BrowserControls.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    constexpr int rowSpacing = 6;
}

BrowserControls::BrowserControls (juce::Button::Listener& buttonListener, juce::TextEditor::Listener& nameListener)
{
    for (auto* b : { &exportButton, &importButton, &importSamplesButton, &normalizeButton, &editModeButton, &deleteButton })
    {
        b->setWantsKeyboardFocus (false);
        b->addListener (&buttonListener);
    }

    for (auto* b : { &okButton, &cancelButton, &saveButton, &saveCancelButton })
    {
        b->setWantsKeyboardFocus (false);
        b->addListener (&buttonListener);
    }

    const std::pair<TextButtonWithIcon*, int> icons[] = { { &editModeButton, StandardIcon::edit },
                                                          { &deleteButton, StandardIcon::trash },
                                                          { &exportButton, StandardIcon::save },
                                                          { &importButton, StandardIcon::folder },
                                                          { &importSamplesButton, StandardIcon::folder },
                                                          { &normalizeButton, StandardIcon::quality } };

    for (const auto& [button, index] : icons)
        if (auto drawable = getStandardIcon (index))
            button->setIcon (*drawable);
    editModeButton.setClickingTogglesState (true);
    editModeButton.setToggleState (false, juce::dontSendNotification);

    for (auto* row : { &editRow, &okCancelRow, &saveRow })
        row->setSpacing (rowSpacing);

    for (auto* b : { &editModeButton, &deleteButton, &exportButton, &importButton, &importSamplesButton, &normalizeButton })
        editRow.add (b);

    okCancelRow.add (&okButton);
    okCancelRow.add (&cancelButton);

    nameEditor.setSize (300, rowHeight);
    nameEditor.setText ("New Preset", false);
    nameEditor.setSelectAllWhenFocused (true);
    nameEditor.setIndents (3, 3);
    nameEditor.addListener (&nameListener);
    saveRow.add (&nameEditor);
    saveRow.add (&saveButton);
    saveRow.add (&saveCancelButton);
}

void BrowserControls::fitToLook (DefaultLookAndFeel* lf)
{
    if (lf != nullptr)
        nameEditor.applyFontToAllText (lf->getPrimaryFont());

    for (auto* b : { &exportButton, &importButton, &importSamplesButton, &normalizeButton, &editModeButton, &deleteButton })
        b->fitWidthToText (rowHeight);

    for (auto* b : { &okButton, &cancelButton, &saveButton, &saveCancelButton })
        b->changeWidthToFitText (rowHeight);
}

void BrowserControls::placeRows (juce::Rectangle<int> area)
{
    const int rowY = area.getBottom() - 25;
    editRow.setTopLeftPosition (area.getX() + 5, rowY);
    okCancelRow.setTopRightPosition (area.getRight(), rowY);
    saveRow.setTopRightPosition (area.getRight(), rowY);
}
