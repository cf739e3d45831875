#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <bitset>
#include <memory>

class WidgetRegistry;

/** Element-type names of the GUI description, made once and compared by identity. */
namespace SkinElementType
{
    // Built by createStandardComponent (the rows of addStandardWidgets).
    inline const juce::Identifier CheckBox { "CheckBox" };
    inline const juce::Identifier ColourEditor { "ColourEditor" };
    inline const juce::Identifier ComboBox { "ComboBox" };
    inline const juce::Identifier Label { "Label" };
    inline const juce::Identifier ListBox { "ListBox" };
    inline const juce::Identifier TextButton { "TextButton" };
    inline const juce::Identifier TextEditor { "TextEditor" };
    inline const juce::Identifier Table { "Table" };
    inline const juce::Identifier TreeView { "TreeView" };
    // Built by the skin's widget factory.
    inline const juce::Identifier EnumDisplay { "EnumDisplay" };
    inline const juce::Identifier ImgAnim { "ImgAnim" };
    inline const juce::Identifier ImgButton { "ImgButton" };
    inline const juce::Identifier ImgKnob { "ImgKnob" };
    inline const juce::Identifier ImgMixer { "ImgMixer" };
    inline const juce::Identifier ImgPictureDisplay { "ImgPictureDisplay" };
    inline const juce::Identifier ImgSlider { "ImgSlider" };
    inline const juce::Identifier ImgSwitch { "ImgSwitch" };
    inline const juce::Identifier Include { "Include" };
    inline const juce::Identifier NumericDisplay { "NumericDisplay" };
    inline const juce::Identifier Panel { "Panel" };
    inline const juce::Identifier PresetNameDisplay { "PresetNameDisplay" };
    inline const juce::Identifier RoomVisualizer { "RoomVisualizer" };
    inline const juce::Identifier TextDisplay { "TextDisplay" };
    inline const juce::Identifier Rocker { "Rocker" };
    inline const juce::Identifier MidiChannelDisplay { "MidiChannelDisplay" };
    inline const juce::Identifier ModulationMatrix { "ModulationMatrix" };
}

/** Root attribute of a GUI description holding its version. */
inline const juce::Identifier guiVersionAttribute { "gui_ver" };

/** Adds the rows of the nine plain toolkit types (not bound to parameters) to a widget table:
    each reads "name", its own attributes, then "x", "y" and (but for "ColourEditor") "w", "h". */
void addStandardWidgets (WidgetRegistry& registry);

/** Builds one of the nine plain toolkit types from its element (their rows of
    addStandardWidgets); null for any other type. */
std::unique_ptr<juce::Component> createStandardComponent (const juce::ValueTree& element);

/** "major.minor.patch" packed as 0xMMmmpp (each part keeps its low byte). */
int parseGuiVersion (const juce::String& text);
/** The GUI-description version this code accepts: parseGuiVersion ("1.0.33"). */
int getCodeGuiVersion();

/** A justification keyword ("left", "centred", "topRight", ...; case-sensitive) as
    juce::Justification flags; 9 (top-left) for anything else. */
int parseJustification (const juce::String& text);
/** "v" gives v on all four sides; "top;left;bottom;right" (missing pieces 0); empty gives 0. */
juce::BorderSize<int> parseInsets (const juce::String& text);
/** "v" gives (v, v); "a;b" gives (min, max); empty gives (0, 0). */
juce::Range<int> parseIntRange (const juce::String& text);
/** Sets the label's text (no notification) from ";"-separated lines; returns the line count. */
int parseLines (juce::Label& label, const juce::String& text);
/** As parseLines, and writes the widest line's width in font to widthOut. */
int parseLinesMeasured (juce::Label& label, const juce::String& text,
                        const juce::Font& font, float& widthOut);

/** The ticks of a scale: one character a tick, "-" for a long one, at most N. Marks the long
    ones in ticks (anyLong becomes true when there is one) and returns the tick count. */
template <size_t N>
int parseScaleTicks (const juce::String& scale, std::bitset<N>& ticks, bool& anyLong)
{
    const auto count = juce::jmin (scale.length(), (int) N);

    for (int i = 0; i < count; ++i)
    {
        ticks[(size_t) i] = scale[i] == '-';
        anyLong = anyLong || ticks[(size_t) i];
    }

    return count;
}

/** The ";"-separated texts of the element's "values" attribute (none without one); the widest
    one's width in font goes to widthOut. */
juce::StringArray readScaleValues (const juce::ValueTree& element, const juce::Font& font, float& widthOut);

/** The leading decimal integer of the text (after white space and an optional "-"); 0 when
    there is none; saturates at the int range. */
int parseInteger (const juce::String& text);

/** Every hexadecimal digit of the text shifted in (other characters skipped); the last eight
    digits count. */
juce::uint32 parseHexNumber (const juce::String& text);
/** A hexadecimal ARGB colour text ("#FF8000C0", "0xff8000c0", ...); six digits give alpha 0. */
juce::Colour parseColour (const juce::String& text);

/** Attribute readers shared by the widgets: missing integers read as 0 (or the fallback),
    missing booleans as false. Integers are the leading digits of the text. */
int readIntAttribute (const juce::ValueTree& element, const juce::Identifier& name, int fallback = 0);
bool readBoolAttribute (const juce::ValueTree& element, const juce::Identifier& name);
/** A position or a size clamped to a range no screen or image exceeds. */
int readCoordinateAttribute (const juce::ValueTree& element, const juce::Identifier& name);
int readSizeAttribute (const juce::ValueTree& element, const juce::Identifier& name);
