#pragma once

#include "core/NimbusEffect.h"
#include "editor/BasePluginEditor.h"

class ImgAnim;

/** The editor of the product line's effects: the skin's "LeftVUMeter" and "RightVUMeter"
    follow the DSP core's meters on the editor's 25 ms tick, the content browser docks below
    the skin (the editor and the host window grow by its height while it is open), skins are
    drawn for an editor 1180 pixels wide, and dialogs keep a 30-pixel margin. Message thread
    only. */
class NimbusEffectEditor : public BasePluginEditor
{
public:
    /** A level above it falls by fallFactor per tick once processing stops; at or below, to 0. */
    static constexpr float fallFactor = 0.675f;
    static constexpr float fallFloor = 0.01f;

    /** Message thread. */
    explicit NimbusEffectEditor (NimbusEffect& effect);
    ~NimbusEffectEditor() override;

    juce::String getDefaultWidthText() const override { return "1180"; }
    /** The editor's width less 60 (at least 780) by the skin area's height less 60 (at least 250). */
    void getDialogSize (int& width, int& height) override;

    /** The level a meter shows, 0 to 1 (channel 0 left, 1 right). */
    float getLevel (int channel) const noexcept { return channel == 0 ? leftLevel : rightLevel; }
    ImgAnim* getLeftMeter() const noexcept { return leftMeter; }
    ImgAnim* getRightMeter() const noexcept { return rightMeter; }
    /** The skin area's height when the last skin loaded. */
    int getSkinHeight() const noexcept { return skinHeight; }
    /** The docked browser's height for a skin area: (skinHeight / 20) x 20 + 39. */
    static int getDockedBrowserHeight (int skinHeight) noexcept { return skinHeight / 20 * 20 + 39; }

    void resized() override;
    /** Message thread. Grows the editor (and the host window) by the docked browser's height. */
    void contentBrowserOpened (ContentBrowser* browser) override;
    /** Message thread. Shrinks the editor back to the skin area once the browser is hidden. */
    void contentBrowserClosed (ContentBrowser* browser, int mode, bool keep) override;

protected:
    /** Docks the browser: no title bar and no OK/Cancel, a 2-pixel top border. */
    void afterInitialise() override;
    void skinLoaded (Skin& skin) override;
    void guiWillChange() override;
    /** Message thread, every 25 ms: the base's work, then the meters. */
    void updateDisplay (bool visible) override;
    void visibilityChanged() override;
    void parentHierarchyChanged() override;

private:
    NimbusEffect& effect;
    int skinHeight = noSkinHeight;
    ImgAnim* leftMeter = nullptr;
    ImgAnim* rightMeter = nullptr;
    bool readingMeters = false;
    float leftLevel = 0.0f, rightLevel = 0.0f;

    /** Message thread: the core measures its meters only while a skin with meters shows. */
    void updateMeterReading();
    void setMeterReading (bool shouldRead);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NimbusEffectEditor)
};
