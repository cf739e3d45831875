// ContentPacker: makes a content package (docs/content.md) from preset files.
//
//   ContentPacker --out PACKAGE --name NAME --application APP --version VERSION
//                 [--extension .grprs2] [--parameters parameters.xml] [--require ITEM]...
//                 INPUT...
//
// Each INPUT is a preset file or a folder of them (files with the extension). Every preset must
// parse, belong to APP, carry its file's name, and (with --parameters) hold only values of
// known parameters that presets keep; --require names items that must be present. Any fault is
// an error: the package is written only when every input is good.

#include "core/content/ContentPackage.h"
#include "core/content/ContentSource.h"
#include "core/content/Preset.h"
#include <iostream>

namespace
{
    int fail (const juce::String& message)
    {
        std::cerr << "ContentPacker: " << message << std::endl;
        return 1;
    }

    struct PresetParameters
    {
        juce::Array<int> known, excluded;

        bool load (const juce::File& file, juce::String& error)
        {
            const auto xml = juce::parseXML (file);

            if (xml == nullptr || ! xml->hasTagName ("PluginParameters"))
            {
                error = file.getFullPathName() + " is not a parameter description";
                return false;
            }

            for (auto* group : xml->getChildWithTagNameIterator ("group"))
            {
                for (auto* param : group->getChildWithTagNameIterator ("param"))
                {
                    known.add (param->getIntAttribute ("id", -1));

                    if (param->getIntAttribute ("presets", 1) == 0)
                        excluded.add (param->getIntAttribute ("id", -1));
                }
            }

            return true;
        }
    };
}

int main (int argc, char** argv)
{
    juce::String out, name, application, version, extension = Preset::fileExtension, parametersPath;
    juce::StringArray required, inputs;

    for (int i = 1; i < argc; ++i)
    {
        const auto arg = juce::String (juce::CharPointer_UTF8 (argv[i]));
        const auto next = [&]() -> juce::String { return i + 1 < argc ? juce::String (juce::CharPointer_UTF8 (argv[++i])) : juce::String(); };

        if (arg == "--out")
            out = next();
        else if (arg == "--name")
            name = next();
        else if (arg == "--application")
            application = next();
        else if (arg == "--version")
            version = next();
        else if (arg == "--extension")
            extension = next();
        else if (arg == "--parameters")
            parametersPath = next();
        else if (arg == "--require")
            required.add (next());
        else if (arg.startsWith ("--"))
            return fail ("unknown option " + arg);
        else
            inputs.add (arg);
    }

    if (out.isEmpty() || name.isEmpty() || application.isEmpty() || inputs.isEmpty())
        return fail ("usage: ContentPacker --out PACKAGE --name NAME --application APP --version VERSION "
                     "[--extension EXT] [--parameters FILE] [--require ITEM]... INPUT...");

    PresetParameters parameters;

    if (parametersPath.isNotEmpty())
        if (juce::String error; ! parameters.load (juce::File::getCurrentWorkingDirectory().getChildFile (parametersPath), error))
            return fail (error);

    juce::Array<juce::File> files;

    for (const auto& input : inputs)
    {
        const auto f = juce::File::getCurrentWorkingDirectory().getChildFile (input);

        if (f.isDirectory())
            files.addArray (f.findChildFiles (juce::File::findFiles, false, "*" + extension));
        else if (f.existsAsFile())
            files.add (f);
        else
            return fail ("no such input: " + input);
    }

    struct ByName
    {
        static int compareElements (const juce::File& a, const juce::File& b) { return a.getFileName().compare (b.getFileName()); }
    } comparator;

    files.sort (comparator);

    ContentPackage package;
    package.name = name;
    package.application = application;
    package.version = version;
    package.kind = "Presets";
    package.itemExtension = extension;
    juce::Array<juce::MemoryBlock> data;

    for (const auto& file : files)
    {
        const auto itemName = file.getFileNameWithoutExtension();
        Preset preset;
        juce::String error;

        if (file.getFileName().startsWithChar ('.'))
            continue;

        if (ContentSource::makeSafeItemName (itemName) != itemName)
            return fail (file.getFileName() + ": the name cannot be an item's name");

        if (! preset.loadFromFile (file, &error))
            return fail (error);

        if (preset.application != application)
            return fail (file.getFileName() + ": a preset of \"" + preset.application + "\", not of \"" + application + "\"");

        if (preset.name != itemName)
            return fail (file.getFileName() + ": its name attribute is \"" + preset.name + "\"");

        if (parametersPath.isNotEmpty())
        {
            for (const auto& value : preset.getValues())
            {
                if (! parameters.known.contains (value.id))
                    return fail (file.getFileName() + ": unknown parameter id " + juce::String (value.id));

                if (parameters.excluded.contains (value.id))
                    return fail (file.getFileName() + ": parameter " + juce::String (value.id) + " is not kept in presets");
            }
        }

        if (package.findItem (itemName) != nullptr)
            return fail ("two presets named \"" + itemName + "\"");

        juce::MemoryBlock bytes;

        if (! file.loadFileAsData (bytes))
            return fail ("cannot read " + file.getFullPathName());

        package.items.add ({ itemName, itemName + extension, preset.tags });
        data.add (bytes);
    }

    for (const auto& item : required)
        if (package.findItem (item) == nullptr)
            return fail ("required preset \"" + item + "\" is missing");

    const auto target = juce::File::getCurrentWorkingDirectory().getChildFile (out);

    if (juce::String error; ! package.write (target, data, error))
        return fail (error);

    std::cout << "ContentPacker: " << package.items.size() << " items -> " << target.getFullPathName() << std::endl;
    return 0;
}
