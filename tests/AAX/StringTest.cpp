// AAX_CString.

#include "AAX_CString.h"

#include <gtest/gtest.h>

namespace
{
    // A foreign string implementation whose text may be missing.
    class NullString : public AAX_IString
    {
    public:
        uint32_t Length() const override { return 0; }
        uint32_t MaxLength() const override { return 0; }
        const char* Get() const override { return nullptr; }
        void Set (const char*) override {}
        AAX_IString& operator= (const AAX_IString&) override { return *this; }
        AAX_IString& operator= (const char*) override { return *this; }
    };
}

TEST (String, NullTextIsEmpty)
{
    const AAX_CString fromNull (static_cast<const char*> (nullptr));
    EXPECT_EQ (0u, fromNull.Length());
    EXPECT_STREQ ("", fromNull.Get());

    AAX_CString text ("abc");
    text.Set (nullptr);
    EXPECT_STREQ ("", text.Get());

    text = "abc";
    text = static_cast<const char*> (nullptr);
    EXPECT_STREQ ("", text.CString());

    const NullString foreign;
    EXPECT_STREQ ("", AAX_CString (foreign).Get());
    text = "abc";
    static_cast<AAX_IString&> (text) = foreign;
    EXPECT_STREQ ("", text.Get());

    EXPECT_TRUE (AAX_CString() == static_cast<const char*> (nullptr));
}

TEST (String, CopiesThroughEveryRoute)
{
    const AAX_CString original ("gain");
    AAX_CString copy (original);
    const AAX_IString& asInterface = original;
    AAX_CString fromInterface (asInterface);
    AAX_CString assigned;
    assigned = original;
    AAX_CString assignedFromInterface;
    static_cast<AAX_IString&> (assignedFromInterface) = asInterface;

    for (const auto* s : { &copy, &fromInterface, &assigned, &assignedFromInterface })
        EXPECT_STREQ ("gain", s->Get());

    AAX_CString& alias = copy;
    copy = alias;
    EXPECT_STREQ ("gain", copy.Get());
}

TEST (String, EraseStopsAtTheEnd)
{
    AAX_CString text ("abcdef");
    text.Erase (2, 10);
    EXPECT_STREQ ("ab", text.Get());

    text = "abcdef";
    text.Erase (2, 0);
    EXPECT_STREQ ("abcdef", text.Get());

    text.Erase (1, 2);
    EXPECT_STREQ ("adef", text.Get());

    // Positions at or past the end change nothing rather than throwing.
    text.Erase (4, 1);
    text.Erase (100, 5);
    EXPECT_STREQ ("adef", text.Get());
}

TEST (String, AppendNumberUsesFixedDigits)
{
    AAX_CString text ("x=");
    text.AppendNumber (1.5, 3);
    EXPECT_STREQ ("x=1.500", text.Get());

    AAX_CString rounded;
    rounded.AppendNumber (-2.71828, 2);
    EXPECT_STREQ ("-2.72", rounded.Get());

    AAX_CString whole;
    whole.AppendNumber (12.6, 0);
    EXPECT_STREQ ("13", whole.Get());
}

TEST (String, ToDoubleReadsTheLeadingNumber)
{
    double value = -1.0;
    EXPECT_TRUE (AAX_CString ("12.5").ToDouble (&value));
    EXPECT_DOUBLE_EQ (12.5, value);

    value = -1.0;
    EXPECT_FALSE (AAX_CString ("abc").ToDouble (&value));
    EXPECT_EQ (0.0, value);

    EXPECT_TRUE (AAX_CString ("12abc").ToDouble (&value));
    EXPECT_DOUBLE_EQ (12.0, value);

    EXPECT_TRUE (AAX_CString (" -3e2").ToDouble (&value));
    EXPECT_DOUBLE_EQ (-300.0, value);

    value = -1.0;
    EXPECT_FALSE (AAX_CString ("").ToDouble (&value));
    EXPECT_EQ (0.0, value);

    EXPECT_TRUE (AAX_CString ("1").ToDouble (nullptr));
}

TEST (String, SubStringClampsToTheText)
{
    const AAX_CString text ("abcdef");
    AAX_CString part ("old");

    text.SubString (1, 3, &part);
    EXPECT_STREQ ("bcd", part.Get());

    text.SubString (4, 100, &part);
    EXPECT_STREQ ("ef", part.Get());

    text.SubString (6, 2, &part);
    EXPECT_STREQ ("", part.Get());

    part = "old";
    text.SubString (7, 2, &part);   // past the end: empty instead of an exception
    EXPECT_STREQ ("", part.Get());

    text.SubString (0, 2, nullptr);
}

TEST (String, ComparisonIsBytewise)
{
    EXPECT_TRUE (AAX_CString ("Gain") == AAX_CString ("Gain"));
    EXPECT_TRUE (AAX_CString ("Gain") != AAX_CString ("gain"));
    EXPECT_TRUE (AAX_CString ("Gain") != AAX_CString ("Gai"));
    EXPECT_TRUE (AAX_CString ("Gain") != "Gains");
    EXPECT_FALSE (AAX_CString ("Gain") != "Gain");
}
