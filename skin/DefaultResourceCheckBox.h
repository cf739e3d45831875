#pragma once

#include "skin/CheckBox.h"
#include "core/parameters/ListenerArray.h"
#include "skin/PathComponent.h"

/** A check box with a path field: lets the user point a setting at a custom resource file.
    The box is ticked when a path is in use; unticking clears the path. */
class DefaultResourceCheckBox : public juce::Component,
                                private juce::Button::Listener,
                                private PathComponent::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** The user ticked or unticked the box, or chose a file. */
        virtual void resourceCheckBoxChanged (DefaultResourceCheckBox* checkBox) = 0;
    };

    DefaultResourceCheckBox();
    ~DefaultResourceCheckBox() override;

    /** Ticks the box exactly when path is not empty and shows the path; with notify, tells the
        listeners. */
    void setState (const juce::String& path, bool notify);
    bool isChecked() const noexcept { return checkBox.isChecked(); }
    const juce::String& getPath() const noexcept { return pathComponent.getPath(); }

    void setText (const juce::String& text);

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    CheckBox& getCheckBox() noexcept { return checkBox; }
    PathComponent& getPathComponent() noexcept { return pathComponent; }

    void resized() override;

private:
    void buttonClicked (juce::Button*) override;
    void pathChanged (PathComponent*) override;
    void notifyListeners();

    CheckBox checkBox;
    PathComponent pathComponent;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultResourceCheckBox)
};
