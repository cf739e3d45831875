// GUI-description values: the parsers, the version gate and the standard widget builder.

#include "skin/CheckBox.h"
#include "skin/ColourEditor.h"
#include "skin/StandardWidgetBuilder.h"
#include <gtest/gtest.h>

namespace
{
    juce::ValueTree parse (const char* xml)
    {
        auto element = juce::parseXML (juce::String (xml));
        return element != nullptr ? juce::ValueTree::fromXml (*element) : juce::ValueTree();
    }

    struct InsetsCase
    {
        const char* text;
        int top, left, bottom, right;
    };
    struct RangeCase
    {
        const char* text;
        int low, high;
    };
    struct JustificationCase
    {
        const char* text;
        int flags;
    };
    struct VersionCase
    {
        const char* text;
        int packed;
    };
    struct HexCase
    {
        const char* text;
        juce::uint32 value;
    };
}

TEST (ValueParsers, Insets)
{
    const InsetsCase cases[] = {
        { "4", 4, 4, 4, 4 },
        { "1;2", 1, 2, 0, 0 },
        { "", 0, 0, 0, 0 },
        { "1;2;3;4;5", 1, 2, 3, 4 },
        { ";7", 0, 7, 0, 0 },
        { "x", 0, 0, 0, 0 },
        { "12px", 12, 12, 12, 12 },
        { "-3", -3, -3, -3, -3 },
        { "99999999999999", 2147483647, 2147483647, 2147483647, 2147483647 },
    };

    for (const auto& c : cases)
    {
        const auto b = parseInsets (c.text);
        EXPECT_EQ (juce::BorderSize<int> (c.top, c.left, c.bottom, c.right), b) << c.text;
    }
}

TEST (ValueParsers, IntRange)
{
    const RangeCase cases[] = {
        { "10;2", 2, 10 },
        { "2;10", 2, 10 },
        { "", 0, 0 },
        { "7", 7, 7 },
        { "5;", 0, 5 },
        { "-4;-9", -9, -4 },
    };

    for (const auto& c : cases)
    {
        const auto r = parseIntRange (c.text);
        EXPECT_EQ (c.low, r.getStart()) << c.text;
        EXPECT_EQ (c.high, r.getEnd()) << c.text;
    }
}

TEST (ValueParsers, JustificationIsExactAndCaseSensitive)
{
    const JustificationCase cases[] = {
        { "left", 1 },
        { "right", 2 },
        { "horizontallyCentred", 4 },
        { "top", 8 },
        { "bottom", 16 },
        { "verticallyCentred", 32 },
        { "horizontallyJustified", 64 },
        { "centred", 36 },
        { "centredLeft", 33 },
        { "centredRight", 34 },
        { "centredTop", 12 },
        { "centredBottom", 20 },
        { "topLeft", 9 },
        { "topRight", 10 },
        { "bottomLeft", 17 },
        { "bottomRight", 18 },
        { "Centred", 9 },
        { "", 9 },
        { " left", 9 },
        { "centre", 9 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (c.flags, parseJustification (c.text)) << c.text;
}

TEST (ValueParsers, GuiVersionAndTheGate)
{
    const VersionCase cases[] = {
        { "1.0.33", 0x010021 },
        { "2.300.1", 0x022C01 },
        { "1", 0x010000 },
        { "", 0 },
        { "a.b.c", 0 },
        { "1.2.3.4", 0x010203 },
        { "-1.0.0", 0xFF0000 },
        { "1.-1.0", 0x01FF00 },
        { "99999999999.99999999999.99999999999", 0xFFFFFF },
    };

    for (const auto& c : cases)
        EXPECT_EQ (c.packed, parseGuiVersion (c.text)) << c.text;

    EXPECT_EQ (65569, getCodeGuiVersion());

    // The skin reads "gui_ver" as hexadecimal digits: only 1,0,0,2,1 in that order pass.
    EXPECT_EQ ((juce::uint32) getCodeGuiVersion(), parseHexNumber ("1.0.021"));
    EXPECT_EQ ((juce::uint32) getCodeGuiVersion(), parseHexNumber ("0x010021"));
    EXPECT_EQ (0x1033u, parseHexNumber ("1.0.33"));
    EXPECT_LT (parseHexNumber ("1.0.33"), (juce::uint32) getCodeGuiVersion());
}

TEST (ValueParsers, HexNumbersAndColours)
{
    const HexCase cases[] = {
        { "FF8000C0", 0xFF8000C0 }, { "#ff8000c0", 0xFF8000C0 }, { "0xFF8000C0", 0xFF8000C0 }, { "8000C0", 0x008000C0 }, { "", 0 }, { "zz", 0 }, { "1 2-3", 0x123 }, { "123456789", 0x23456789 },   // only the last eight digits fit
    };

    for (const auto& c : cases)
        EXPECT_EQ (c.value, parseHexNumber (c.text)) << c.text;

    EXPECT_TRUE (parseColour ("FF0000").isTransparent());   // six digits: alpha 0
    EXPECT_EQ (juce::Colour (0xFF102030), parseColour ("#FF102030"));
}

TEST (ValueParsers, IntegersSaturateInsteadOfOverflowing)
{
    EXPECT_EQ (0, parseInteger (""));
    EXPECT_EQ (12, parseInteger ("  12abc"));
    EXPECT_EQ (-7, parseInteger ("-7"));
    EXPECT_EQ (0, parseInteger ("+7"));
    EXPECT_EQ (std::numeric_limits<int>::max(), parseInteger ("2147483648"));
    EXPECT_EQ (std::numeric_limits<int>::min(), parseInteger ("-2147483648"));
    EXPECT_EQ (std::numeric_limits<int>::min(), parseInteger ("-99999999999999999999999"));
}

TEST (ValueParsers, Lines)
{
    juce::Label label;
    EXPECT_EQ (3, parseLines (label, "a;b;c"));
    EXPECT_EQ (juce::String ("a\nb\nc"), label.getText());
    EXPECT_EQ (1, parseLines (label, "single"));
    EXPECT_EQ (juce::String ("single"), label.getText());
    EXPECT_EQ (0, parseLines (label, ""));
    EXPECT_TRUE (label.getText().isEmpty());

    const juce::Font font (14.0f);
    float width = -1.0f;
    EXPECT_EQ (2, parseLinesMeasured (label, "ab;abcdef", font, width));
    EXPECT_FLOAT_EQ (font.getStringWidthFloat ("abcdef"), width);

    EXPECT_EQ (0, parseLinesMeasured (label, "", font, width));
    EXPECT_EQ (0.0f, width);
}

//==============================================================================
TEST (StandardWidgets, EachTypeAndItsPlacement)
{
    for (const char* type : { "CheckBox", "ComboBox", "Label", "ListBox", "Table", "TextButton", "TextEditor", "TreeView" })
    {
        juce::ValueTree element (type);
        element.setProperty ("name", "n", nullptr).setProperty ("x", 3, nullptr).setProperty ("y", 4, nullptr).setProperty ("w", 50, nullptr).setProperty ("h", 20, nullptr);
        std::unique_ptr<juce::Component> c (createStandardComponent (element));
        ASSERT_NE (nullptr, c) << type;
        EXPECT_EQ (juce::Rectangle<int> (3, 4, 50, 20), c->getBounds()) << type;
        EXPECT_EQ (juce::String ("n"), c->getName()) << type;
    }

    std::unique_ptr<juce::Component> colour (createStandardComponent (parse (R"(<ColourEditor x="5" y="6" w="300" h="90"/>)")));
    ASSERT_NE (nullptr, dynamic_cast<ColourEditor*> (colour.get()));
    EXPECT_EQ (juce::Rectangle<int> (5, 6, 100, 20), colour->getBounds());

    EXPECT_EQ (nullptr, createStandardComponent (parse ("<ImgKnob/>")));
    EXPECT_EQ (nullptr, createStandardComponent (parse ("<checkbox/>")));
    EXPECT_EQ (nullptr, createStandardComponent (juce::ValueTree()));

    std::unique_ptr<juce::Component> tree (createStandardComponent (parse ("<TreeView/>")));
    EXPECT_EQ (juce::Colour (0xFFFFFFFF), tree->findColour (juce::TreeView::backgroundColourId));
}

TEST (StandardWidgets, MissingAndAbsurdGeometryFallsBack)
{
    std::unique_ptr<juce::Component> bare (createStandardComponent (parse ("<TextButton/>")));
    EXPECT_EQ (juce::Rectangle<int>(), bare->getBounds());

    std::unique_ptr<juce::Component> absurd (createStandardComponent (
        parse (R"(<TextButton x="-99999999999" y="abc" w="-40" h="99999999999"/>)")));
    EXPECT_EQ (-16384, absurd->getX());
    EXPECT_EQ (0, absurd->getY());
    EXPECT_EQ (0, absurd->getWidth());
    EXPECT_EQ (8192, absurd->getHeight());
}

TEST (StandardWidgets, LabelAttributes)
{
    std::unique_ptr<juce::Component> c (createStandardComponent (parse (
        R"(<Label text="Hi" justification="centredRight" txtCol="#FF112233" bkgCol="0x80445566" italic="true"/>)")));
    auto* label = dynamic_cast<juce::Label*> (c.get());
    ASSERT_NE (nullptr, label);
    EXPECT_EQ (juce::String ("Hi"), label->getText());
    EXPECT_EQ (34, label->getJustificationType().getFlags());
    EXPECT_EQ (juce::Colour (0xFF112233), label->findColour (juce::Label::textColourId));
    EXPECT_EQ (juce::Colour (0x80445566), label->findColour (juce::Label::backgroundColourId));
    EXPECT_TRUE (label->getFont().isItalic());
    EXPECT_FALSE (label->getFont().isBold());
    EXPECT_FALSE (label->getFont().isUnderlined());

    std::unique_ptr<juce::Component> plain (createStandardComponent (parse ("<Label/>")));
    EXPECT_EQ (juce::Label().getJustificationType(), static_cast<juce::Label*> (plain.get())->getJustificationType());
}

TEST (StandardWidgets, ButtonsAndCheckBoxes)
{
    std::unique_ptr<juce::Component> c (createStandardComponent (parse (
        R"(<TextButton text="Go" toggleState="1" keyboardFocus="true"/>)")));
    auto* button = dynamic_cast<juce::TextButton*> (c.get());
    ASSERT_NE (nullptr, button);
    EXPECT_EQ (juce::String ("Go"), button->getButtonText());
    EXPECT_TRUE (button->getClickingTogglesState());
    EXPECT_TRUE (button->getWantsKeyboardFocus());

    std::unique_ptr<juce::Component> d (createStandardComponent (parse ("<TextButton/>")));
    EXPECT_FALSE (static_cast<juce::TextButton*> (d.get())->getClickingTogglesState());
    EXPECT_FALSE (d->getWantsKeyboardFocus());

    std::unique_ptr<juce::Component> box (createStandardComponent (parse (R"(<CheckBox name="c" text="Tick me"/>)")));
    ASSERT_NE (nullptr, dynamic_cast<CheckBox*> (box.get()));
    EXPECT_EQ (juce::String ("Tick me"), static_cast<CheckBox*> (box.get())->getButtonText());
}

TEST (StandardWidgets, TextEditorSettings)
{
    std::unique_ptr<juce::Component> c (createStandardComponent (parse (
        R"(<TextEditor text="12" placeholder="digits" readOnly="true" multiline="true" inputLen="4" inputChars="0123456789" selectAll="1"/>)")));
    auto* editor = dynamic_cast<juce::TextEditor*> (c.get());
    ASSERT_NE (nullptr, editor);
    EXPECT_EQ (juce::String ("12"), editor->getText());
    EXPECT_EQ (juce::String ("digits"), editor->getTextToShowWhenEmpty());
    EXPECT_TRUE (editor->isReadOnly());
    EXPECT_FALSE (editor->isCaretVisible());
    EXPECT_EQ (juce::Colour (0xFFD3D3D3), editor->findColour (juce::TextEditor::backgroundColourId));
    EXPECT_TRUE (editor->isMultiLine());
    EXPECT_TRUE (editor->getReturnKeyStartsNewLine());

    std::unique_ptr<juce::Component> e (createStandardComponent (parse (R"(<TextEditor inputLen="4" inputChars="0123456789"/>)")));
    auto* typed = static_cast<juce::TextEditor*> (e.get());
    typed->insertTextAtCaret ("1a2b3c4d5");
    EXPECT_EQ (juce::String ("1234"), typed->getText());

    // A negative limit is no limit.
    std::unique_ptr<juce::Component> f (createStandardComponent (parse (R"(<TextEditor inputLen="-3"/>)")));
    static_cast<juce::TextEditor*> (f.get())->insertTextAtCaret ("hello");
    EXPECT_EQ (juce::String ("hello"), static_cast<juce::TextEditor*> (f.get())->getText());
}
