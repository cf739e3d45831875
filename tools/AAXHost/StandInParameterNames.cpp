#include "StandInParameterNames.h"
#include "StandInInstance.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace
{
    namespace fs = std::filesystem;

    // A description larger than this is no parameter list.
    constexpr std::uintmax_t kMaxDescriptionSize = 1 << 20;

    std::string trimmed (const std::string& text)
    {
        const auto first = text.find_first_not_of (" \t");
        return first == std::string::npos ? std::string() : text.substr (first, text.find_last_not_of (" \t") - first + 1);
    }

    bool sameName (const std::string& typed, const std::string& name)
    {
        const auto a = trimmed (typed);
        return ! name.empty() && a.size() == name.size()
            && std::equal (a.begin(), a.end(), name.begin(), [] (char x, char y) {
                   return std::tolower (static_cast<unsigned char> (x)) == std::tolower (static_cast<unsigned char> (y));
               });
    }

    // An attribute value with XML's character references replaced (ASCII ones; others stay).
    std::string unescaped (const std::string& value)
    {
        static const std::pair<const char*, char> named[] = { { "&amp;", '&' }, { "&lt;", '<' }, { "&gt;", '>' }, { "&quot;", '"' }, { "&apos;", '\'' } };
        std::string text;

        for (size_t i = 0; i < value.size(); ++i)
        {
            const auto match = std::find_if (std::begin (named), std::end (named), [&] (const auto& n) { return value.compare (i, std::strlen (n.first), n.first) == 0; });

            if (match != std::end (named))
            {
                text += match->second;
                i += std::strlen (match->first) - 1;
            }
            else
                text += value[i];
        }

        return text;
    }

    // The id, name and displayName of every "param" element of a parameter description; a file
    // that is missing, too large or not of that shape gives what could be read, or nothing.
    std::map<std::string, std::pair<std::string, std::string>> readDescription (const fs::path& path)
    {
        std::map<std::string, std::pair<std::string, std::string>> params;
        std::error_code ec;

        if (! fs::is_regular_file (path, ec) || fs::file_size (path, ec) > kMaxDescriptionSize || ec)
            return params;

        std::ifstream file (path, std::ios::binary);
        const std::string xml ((std::istreambuf_iterator<char> (file)), std::istreambuf_iterator<char>());
        const auto space = [] (char c) { return std::isspace (static_cast<unsigned char> (c)) != 0; };

        for (size_t at = xml.find ('<'); at != std::string::npos; at = xml.find ('<', at + 1))
        {
            if (xml.compare (at, 4, "<!--") == 0)
            {
                at = xml.find ("-->", at);
                if (at == std::string::npos)
                    break;
                continue;
            }

            if (xml.compare (at, 6, "<param") != 0 || at + 6 >= xml.size() || ! (space (xml[at + 6]) || xml[at + 6] == '/' || xml[at + 6] == '>'))
                continue;

            std::map<std::string, std::string> attributes;
            size_t i = at + 6;

            for (;;)
            {
                while (i < xml.size() && space (xml[i]))
                    ++i;

                const auto nameStart = i;
                while (i < xml.size() && (std::isalnum (static_cast<unsigned char> (xml[i])) || xml[i] == '_' || xml[i] == ':' || xml[i] == '-'))
                    ++i;

                if (i == nameStart)
                    break;

                const auto name = xml.substr (nameStart, i - nameStart);
                while (i < xml.size() && space (xml[i]))
                    ++i;
                if (i >= xml.size() || xml[i] != '=')
                    break;
                ++i;
                while (i < xml.size() && space (xml[i]))
                    ++i;
                if (i >= xml.size() || (xml[i] != '"' && xml[i] != '\''))
                    break;

                const auto close = xml.find (xml[i], i + 1);
                if (close == std::string::npos)
                    break;

                attributes[name] = unescaped (xml.substr (i + 1, close - i - 1));
                i = close + 1;
            }

            if (attributes.count ("id") != 0 && attributes.count ("name") != 0)
                params[trimmed (attributes["id"])] = { attributes["name"], attributes.count ("displayName") != 0 ? attributes["displayName"] : attributes["name"] };

            at = i - 1;
        }

        return params;
    }
}

StandInParameterNames::StandInParameterNames (const StandInInstance& instance, const std::string& binary)
{
    auto description = readDescription (fs::path (binary).parent_path().parent_path() / "Resources" / "parameters.xml");

    for (const auto& id : instance.ParameterIDs())
    {
        const auto found = description.find (id);
        mHost.push_back ({ id, instance.ParameterName (id), found != description.end() ? found->second.first : std::string() });

        if (found != description.end())
            description.erase (found);
    }

    for (const auto& [id, names] : description)
    {
        mKept.push_back (names.first);
        mKept.push_back (names.second);
    }
}

std::string StandInParameterNames::Find (const std::string& name) const
{
    // An id first, then the name shown, then the own name: each may stand for another's.
    for (const auto member : { &Entry::id, &Entry::shown, &Entry::own })
        for (const auto& entry : mHost)
            if (sameName (name, entry.*member))
                return entry.id;

    return {};
}

bool StandInParameterNames::KeptFromHost (const std::string& name) const
{
    return std::any_of (mKept.begin(), mKept.end(), [&] (const std::string& kept) { return sameName (name, kept); });
}

std::string StandInParameterNames::List() const
{
    std::string list;

    for (const auto& entry : mHost)
    {
        list += (list.empty() ? "\"" : ", \"") + (entry.own.empty() ? entry.shown : entry.own) + "\"";

        if (! entry.own.empty() && entry.own != entry.shown)
            list += " (shown as \"" + entry.shown + "\")";
    }

    return list;
}
