#include "skin/StandardWidgetBuilder.h"
#include "skin/CheckBox.h"
#include "skin/ColourEditor.h"
#include "skin/WidgetRegistry.h"
#include <limits>

namespace
{
    namespace Attr
    {
        const juce::Identifier name { "name" };
        const juce::Identifier x { "x" };
        const juce::Identifier y { "y" };
        const juce::Identifier w { "w" };
        const juce::Identifier h { "h" };
        const juce::Identifier text { "text" };
        const juce::Identifier justification { "justification" };
        const juce::Identifier txtCol { "txtCol" };
        const juce::Identifier bkgCol { "bkgCol" };
        const juce::Identifier bold { "bold" };
        const juce::Identifier underline { "underline" };
        const juce::Identifier italic { "italic" };
        const juce::Identifier toggleState { "toggleState" };
        const juce::Identifier keyboardFocus { "keyboardFocus" };
        const juce::Identifier placeholder { "placeholder" };
        const juce::Identifier readOnly { "readOnly" };
        const juce::Identifier multiline { "multiline" };
        const juce::Identifier inputLen { "inputLen" };
        const juce::Identifier inputChars { "inputChars" };
        const juce::Identifier selectAll { "selectAll" };
    }

    // No skin needs more; larger values would only make the framework allocate absurd images.
    constexpr int maxCoordinate = 16384;
    constexpr int maxSize = 8192;

    juce::String readText (const juce::ValueTree& element, const juce::Identifier& name)
    {
        return element[name].toString();
    }

    void placeComponent (juce::Component& c, const juce::ValueTree& element, bool withSize)
    {
        c.setTopLeftPosition (readCoordinateAttribute (element, Attr::x),
                              readCoordinateAttribute (element, Attr::y));

        if (withSize)
            c.setSize (readSizeAttribute (element, Attr::w), readSizeAttribute (element, Attr::h));
    }

    std::unique_ptr<juce::Component> createCheckBox (const juce::ValueTree& element, const juce::String& name)
    {
        auto checkBox = std::make_unique<CheckBox> (name);
        checkBox->setButtonText (readText (element, Attr::text));
        return checkBox;
    }

    std::unique_ptr<juce::Component> createColourEditor (const juce::ValueTree&, const juce::String& name)
    {
        return std::make_unique<ColourEditor> (name);
    }

    std::unique_ptr<juce::Component> createComboBox (const juce::ValueTree&, const juce::String& name)
    {
        return std::make_unique<juce::ComboBox> (name);
    }

    std::unique_ptr<juce::Component> createLabel (const juce::ValueTree& element, const juce::String& name)
    {
        auto label = std::make_unique<juce::Label> (name, readText (element, Attr::text));

        if (element.hasProperty (Attr::justification))
            label->setJustificationType (juce::Justification (parseJustification (readText (element, Attr::justification))));

        if (element.hasProperty (Attr::txtCol))
            label->setColour (juce::Label::textColourId, parseColour (readText (element, Attr::txtCol)));

        if (element.hasProperty (Attr::bkgCol))
            label->setColour (juce::Label::backgroundColourId, parseColour (readText (element, Attr::bkgCol)));

        auto font = label->getFont();
        font.setBold (readBoolAttribute (element, Attr::bold));
        font.setUnderline (readBoolAttribute (element, Attr::underline));
        font.setItalic (readBoolAttribute (element, Attr::italic));
        label->setFont (font);
        return label;
    }

    std::unique_ptr<juce::Component> createListBox (const juce::ValueTree&, const juce::String& name)
    {
        return std::make_unique<juce::ListBox> (name, nullptr);
    }

    std::unique_ptr<juce::Component> createTable (const juce::ValueTree&, const juce::String& name)
    {
        return std::make_unique<juce::TableListBox> (name, nullptr);
    }

    std::unique_ptr<juce::Component> createTextButton (const juce::ValueTree& element, const juce::String& name)
    {
        auto button = std::make_unique<juce::TextButton> (name);
        button->setButtonText (readText (element, Attr::text));
        button->setClickingTogglesState (readBoolAttribute (element, Attr::toggleState));
        button->setWantsKeyboardFocus (readBoolAttribute (element, Attr::keyboardFocus));
        return button;
    }

    std::unique_ptr<juce::Component> createTextEditor (const juce::ValueTree& element, const juce::String& name)
    {
        auto editor = std::make_unique<juce::TextEditor> (name, 0);

        if (element.hasProperty (Attr::text))
            editor->setText (readText (element, Attr::text), false);

        if (element.hasProperty (Attr::placeholder))
            editor->setTextToShowWhenEmpty (readText (element, Attr::placeholder), juce::Colour (0xFF808080));

        if (readBoolAttribute (element, Attr::readOnly))
        {
            editor->setReadOnly (true);
            editor->setCaretVisible (false);
            editor->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0xFFD3D3D3));
        }

        if (readBoolAttribute (element, Attr::multiline))
        {
            editor->setMultiLine (true, false);
            editor->setReturnKeyStartsNewLine (true);
        }

        editor->setInputRestrictions (readIntAttribute (element, Attr::inputLen), readText (element, Attr::inputChars));
        editor->setSelectAllWhenFocused (readBoolAttribute (element, Attr::selectAll));
        return editor;
    }

    std::unique_ptr<juce::Component> createTreeView (const juce::ValueTree&, const juce::String& name)
    {
        auto tree = std::make_unique<juce::TreeView> (name);
        tree->setColour (juce::TreeView::backgroundColourId, juce::Colour (0xFFFFFFFF));
        return tree;
    }
}

void addStandardWidgets (WidgetRegistry& registry)
{
    using Builder = std::unique_ptr<juce::Component> (*) (const juce::ValueTree&, const juce::String&);

    struct Row
    {
        juce::Identifier type;
        Builder build;
        bool withSize;
    };

    // A colour editor keeps its own size.
    // clang-format off
    const Row rows[] = {
        { SkinElementType::CheckBox,     createCheckBox,     true },
        { SkinElementType::ColourEditor, createColourEditor, false },
        { SkinElementType::ComboBox,     createComboBox,     true },
        { SkinElementType::Label,        createLabel,        true },
        { SkinElementType::ListBox,      createListBox,      true },
        { SkinElementType::Table,        createTable,        true },
        { SkinElementType::TextButton,   createTextButton,   true },
        { SkinElementType::TextEditor,   createTextEditor,   true },
        { SkinElementType::TreeView,     createTreeView,     true },
    };
    // clang-format on

    for (const auto& row : rows)
    {
        registry.add (row.type, [row] (const juce::ValueTree& element) {
            auto c = row.build (element, readText (element, Attr::name));
            placeComponent (*c, element, row.withSize);
            return c;
        });
    }
}

std::unique_ptr<juce::Component> createStandardComponent (const juce::ValueTree& element)
{
    static const auto standardWidgets = [] {
        WidgetRegistry registry;
        addStandardWidgets (registry);
        return registry;
    }();

    return standardWidgets.create (element);
}

//==============================================================================
int parseGuiVersion (const juce::String& text)
{
    const auto major = text.upToFirstOccurrenceOf (".", false, false);
    const auto rest = text.fromFirstOccurrenceOf (".", false, false);
    const auto minor = rest.upToFirstOccurrenceOf (".", false, false);
    const auto patch = rest.fromFirstOccurrenceOf (".", false, false);

    // Unsigned, so a negative part ("-1.0.0") is masked instead of shifted as a negative int.
    const auto packed = ((juce::uint32) parseInteger (major) << 16 & 0xFF0000u)
        | ((juce::uint32) parseInteger (minor) << 8 & 0xFFFFu)
        | ((juce::uint32) parseInteger (patch) & 0xFFu);
    return (int) packed;
}

int getCodeGuiVersion()
{
    static const int version = parseGuiVersion ("1.0.33");
    return version;
}

int parseJustification (const juce::String& text)
{
    struct Keyword
    {
        const char* name;
        int value;
    };

    static constexpr Keyword keywords[] = {
        { "left", 1 }, { "right", 2 }, { "horizontallyCentred", 4 }, { "top", 8 }, { "bottom", 16 }, { "verticallyCentred", 32 }, { "horizontallyJustified", 64 }, { "centred", 36 }, { "centredLeft", 33 }, { "centredRight", 34 }, { "centredTop", 12 }, { "centredBottom", 20 }, { "topLeft", 9 }, { "topRight", 10 }, { "bottomLeft", 17 }, { "bottomRight", 18 }
    };

    for (const auto& k : keywords)
        if (text == k.name)
            return k.value;

    return juce::Justification::topLeft;
}

juce::BorderSize<int> parseInsets (const juce::String& text)
{
    if (text.isEmpty())
        return {};

    if (text.containsChar (';'))
    {
        const auto pieces = juce::StringArray::fromTokens (text, ";", "");
        const auto piece = [&pieces] (int i) { return parseInteger (pieces[i]); };   // missing: 0
        return { piece (0), piece (1), piece (2), piece (3) };
    }

    return juce::BorderSize<int> (parseInteger (text));
}

juce::Range<int> parseIntRange (const juce::String& text)
{
    if (text.isEmpty())
        return {};

    if (text.containsChar (';'))
    {
        const auto pieces = juce::StringArray::fromTokens (text, ";", "");
        const auto a = parseInteger (pieces[0]), b = parseInteger (pieces[1]);
        return { juce::jmin (a, b), juce::jmax (a, b) };
    }

    const auto v = parseInteger (text);
    return { v, v };
}

int parseLines (juce::Label& label, const juce::String& text)
{
    const auto lines = juce::StringArray::fromTokens (text, ";", "");
    label.setText (lines.joinIntoString ("\n"), juce::dontSendNotification);
    return lines.size();
}

int parseLinesMeasured (juce::Label& label, const juce::String& text, const juce::Font& font, float& widthOut)
{
    const auto count = parseLines (label, text);
    widthOut = 0.0f;

    for (const auto& line : juce::StringArray::fromTokens (text, ";", ""))
        widthOut = juce::jmax (widthOut, font.getStringWidthFloat (line));

    return count;
}

juce::StringArray readScaleValues (const juce::ValueTree& element, const juce::Font& font, float& widthOut)
{
    widthOut = 0.0f;

    if (! element.hasProperty ("values"))
        return {};

    auto values = juce::StringArray::fromTokens (element["values"].toString(), ";", "");

    for (const auto& v : values)
        widthOut = juce::jmax (widthOut, font.getStringWidthFloat (v));

    return values;
}

int parseInteger (const juce::String& text)
{
    auto p = text.getCharPointer().findEndOfWhitespace();
    const bool negative = *p == '-';

    if (negative)
        ++p;

    // Saturates instead of overflowing: a skin may hold any number of digits.
    juce::int64 magnitude = 0;

    for (; *p >= '0' && *p <= '9'; ++p)
        magnitude = juce::jmin ((juce::int64) 1 << 31, magnitude * 10 + (*p - '0'));

    const auto value = negative ? -magnitude : magnitude;
    return (int) juce::jlimit ((juce::int64) std::numeric_limits<int>::min(),
                               (juce::int64) std::numeric_limits<int>::max(), value);
}

juce::uint32 parseHexNumber (const juce::String& text)
{
    juce::uint32 result = 0;

    for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
    {
        const auto digit = juce::CharacterFunctions::getHexDigitValue (*p);

        if (digit >= 0)
            result = (result << 4) | (juce::uint32) digit;
    }

    return result;
}

juce::Colour parseColour (const juce::String& text)
{
    return juce::Colour (parseHexNumber (text));
}

int readIntAttribute (const juce::ValueTree& element, const juce::Identifier& name, int fallback)
{
    if (! element.hasProperty (name))
        return fallback;

    return parseInteger (element[name].toString());
}

bool readBoolAttribute (const juce::ValueTree& element, const juce::Identifier& name)
{
    return element.hasProperty (name) && (bool) element[name];
}

int readCoordinateAttribute (const juce::ValueTree& element, const juce::Identifier& name)
{
    return juce::jlimit (-maxCoordinate, maxCoordinate, readIntAttribute (element, name));
}

int readSizeAttribute (const juce::ValueTree& element, const juce::Identifier& name)
{
    return juce::jlimit (0, maxSize, readIntAttribute (element, name));
}
