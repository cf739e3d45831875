#include "core/parameters/ParameterText.h"

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace
{
    bool isAsciiDigit (juce::juce_wchar c) noexcept { return c >= '0' && c <= '9'; }

    // Length of the number syntax at the start of text: [+-] digits [. digits] [e [+-] digits],
    // 0 when there is none. Digits and exponents are limited so that JUCE's reader cannot
    // overflow on hostile input.
    int scanNumber (juce::String::CharPointerType p)
    {
        constexpr int maxDigits = 40;
        int n = 0, digits = 0;

        auto advance = [&] { ++p; ++n; };

        if (*p == '+' || *p == '-')
            advance();

        for (; isAsciiDigit (*p); advance())
            if (++digits > maxDigits)
                return 0;

        if (*p == '.')
        {
            advance();

            for (; isAsciiDigit (*p); advance())
                if (++digits > maxDigits)
                    return 0;
        }

        if (digits == 0)
            return 0;

        if (*p == 'e' || *p == 'E')
        {
            auto e = p + 1;
            int length = 1, expDigits = 0, significant = 0;

            if (*e == '+' || *e == '-')
            {
                ++e;
                ++length;
            }

            for (; isAsciiDigit (*e); ++e, ++length)
            {
                if (significant > 0 || *e != '0')
                    if (++significant > 3)
                        return 0;

                if (++expDigits > maxDigits)
                    return 0;
            }

            if (expDigits > 0)
                n += length;
        }

        return n;
    }
}

bool ParameterText::parseNumber (const juce::String& text, double& result)
{
    const auto trimmed = text.trim();
    const int length = scanNumber (trimmed.getCharPointer());

    if (length == 0 || length != trimmed.length())
        return false;

    const double v = trimmed.getDoubleValue();

    if (! std::isfinite (v))
        return false;

    result = v;
    return true;
}

bool ParameterText::parseInteger (const juce::String& text, int& result)
{
    const auto trimmed = text.trim();
    auto p = trimmed.getCharPointer();
    int n = 0, digits = 0;

    if (*p == '-' || *p == '+')
    {
        ++p;
        ++n;
    }

    for (; isAsciiDigit (*p) && digits <= 10; ++p, ++n)
        ++digits;

    if (digits == 0 || digits > 10 || n != trimmed.length())
        return false;

    const auto v = trimmed.getLargeIntValue();

    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;

    result = (int) v;
    return true;
}

bool ParameterText::parseQuantity (const juce::String& text, double& number, juce::String& suffix)
{
    constexpr int maxDigits = 40;
    const auto trimmed = text.trim();
    auto p = trimmed.getCharPointer();
    int length = 0, digits = 0, points = 0;

    if (*p == '+' || *p == '-')
    {
        ++p;
        ++length;
    }

    for (; isAsciiDigit (*p) || *p == '.'; ++p, ++length)
    {
        if (*p == '.' ? ++points > 1 : ++digits > maxDigits)
            return false;
    }

    if (digits == 0)
        return false;

    auto rest = trimmed.substring (length);

    if (rest.startsWithChar (' '))
        rest = rest.substring (1);

    // Anything that could still be part of a number is a mistyped one, not a unit.
    if (rest.isNotEmpty() && (juce::CharacterFunctions::isWhitespace (rest[0]) || isAsciiDigit (rest[0]) || rest[0] == '.' || rest[0] == ','))
        return false;

    const double v = trimmed.substring (0, length).getDoubleValue();

    if (! std::isfinite (v))
        return false;

    number = v;
    suffix = rest;
    return true;
}

juce::String ParameterText::formatExact (float value)
{
    if (! std::isfinite (value))
        return "0";

    for (int digits = 6; digits <= 9; ++digits)
    {
        std::ostringstream stream;
        stream.imbue (std::locale::classic());
        stream.precision (digits);
        stream << (double) value;
        const juce::String text (stream.str());

        double back = 0.0;

        if (digits == 9 || (parseNumber (text, back) && (float) back == value))
            return text;
    }

    jassertfalse;
    return {};
}

juce::String ParameterText::formatFixed (double value, int decimals)
{
    if (! std::isfinite (value) || std::abs (value) > 1.0e15)
        return juce::String (value);

    auto text = decimals > 0 ? juce::String (value, decimals)
                             : juce::String ((juce::int64) std::llround (value));

    if (text.startsWithChar ('-') && ! text.containsAnyOf ("123456789"))
        text = text.substring (1);

    return text;
}
