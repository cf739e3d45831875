#pragma once

#include "skin/BaseGFXController.h"
#include "skin/GUIController.h"

/** A two-way rocker ("Rocker"): pressing one half sends that half's action code ("less" or
    "more", another pair with Command held) to the control's listeners. It holds no value.
    Drawn from a three-frame strip (less pressed, neutral, more pressed), or plainly without
    one. Message thread only. */
class GFXRocker : public juce::Component,
                  public GUIController,
                  public BaseGFXController
{
public:
    enum Orientation
    {
        vertical = 0,
        horizontal = 1
    };

    enum State
    {
        lessPressed = 0,
        neutral = 1,
        morePressed = 2
    };

    static constexpr int noAction = -1;

    explicit GFXRocker (const juce::String& name);
    GFXRocker (const juce::ValueTree& element, Skin& skin);
    ~GFXRocker() override;

    /** Reads the binding, the strip and the bounds, then "type" ("vertical", "horizontal") and
        the action codes given as attributes ("onLessClick" ...). */
    void loadFromXml (const juce::ValueTree& element, Skin& skin) override;
    /** "onLessClick", "onMoreClick", "onLessClickWithCtrl", "onMoreClickWithCtrl". */
    bool setAction (const juce::String& name, int code) override;

    int getOrientation() const noexcept { return orientation; }
    int getState() const noexcept { return state; }
    bool isDraggedOff() const noexcept { return dragFlag; }
    /** The strip frame that paint draws. */
    int getShownFrame() const noexcept { return dragFlag ? (int) neutral : state; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    int orientation = vertical;
    int onLessClick = noAction, onMoreClick = noAction;
    int onLessClickWithCtrl = noAction, onMoreClickWithCtrl = noAction;
    int state = neutral;
    bool dragFlag = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXRocker)
};
