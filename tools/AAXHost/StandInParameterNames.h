#pragma once

#include <string>
#include <vector>

class StandInInstance;

// Message thread: every operation (it asks the instance).
// The names a command line may give a parameter: its id, the name the host is given (the one a
// host shows) and, when the bundle describes its parameters (Contents/Resources/parameters.xml,
// matched by id), the parameter's own name; in any case, surrounding spaces ignored.
class StandInParameterNames
{
public:
    // binary: the bundle's binary (Contents/<arch>/Name.so), whose folder's sibling "Resources"
    // may hold the description.
    StandInParameterNames (const StandInInstance& instance, const std::string& binary);

    // The host id of the parameter a name gives, or empty.
    std::string Find (const std::string& name) const;
    // Whether the description has a parameter of that name that the plug-in does not give the
    // host (one hosts cannot automate).
    bool KeptFromHost (const std::string& name) const;
    // Every parameter the host can reach, by the names it takes: "Mix", "Filter Cutoff" (shown
    // as "Cutoff"), ...
    std::string List() const;

private:
    struct Entry
    {
        std::string id, shown, own;
    };

    std::vector<Entry> mHost;
    std::vector<std::string> mKept;
};
