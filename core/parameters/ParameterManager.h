#pragma once

#include "core/parameters/Parameter.h"
#include <map>

/** Owns every parameter of one plug-in, built from "parameters.xml".

    The id and name tables sit behind the manager's lock; parameters never move or disappear
    once added, so a pointer from a lookup stays valid for the manager's life. Parameters are
    added while the plug-in is built, before a host or the audio thread sees them; after that
    the lists may be read without the lock.
*/
class ParameterManager : private juce::Timer
{
public:
    /** A named group of parameter ids, in the order of the description. */
    struct Group
    {
        juce::String name;
        juce::Array<int> ids;
    };

    ParameterManager();
    ~ParameterManager() override;

    /** Any thread: takes the manager's lock and allocates, so never the audio thread.
        Reads a "PluginParameters" description and adds its groups and parameters.
        Returns an empty string on success, else a message naming what is wrong; on failure
        nothing is added. */
    juce::String loadFromXml (const juce::XmlElement& root);
    /** Any thread: reads the file and allocates, so never the audio thread.
        loadFromXml of the file's root; the message names the file. */
    juce::String loadFromFile (const juce::File& file);

    /** Any thread: takes the manager's lock and allocates, so never the audio thread.
        Takes ownership; false (and the parameter deleted) when it is null, its id is negative,
        its name is empty, or its id or name is taken. An empty group name adds it to no group. */
    bool addParameter (std::unique_ptr<Parameter> parameter, const juce::String& groupName = {});

    /** Any thread: takes the manager's lock, so never the audio thread.
        The parameter with the id, or null. */
    Parameter* getParameterByIndex (int id) const;
    /** Any thread: takes the manager's lock, so never the audio thread.
        The parameter with the exact name, or null. */
    Parameter* getParameterByName (const juce::String& name) const;
    /** Any thread: takes no lock, so only once loading is over.
        All parameters in the order they were added. */
    const juce::OwnedArray<Parameter>& getParameters() const noexcept { return parameters; }
    /** Any thread: takes no lock, so only once loading is over. */
    int getNumParameters() const noexcept { return parameters.size(); }
    /** Any thread: takes no lock, so only once loading is over. */
    const juce::Array<Group>& getGroups() const noexcept { return groups; }

    /** Any thread: takes the manager's and the listener lists' locks, so never the audio thread.
        Adds the listener to the parameters present now. */
    void addListenerToAll (Parameter::Listener* listener);
    /** Any thread: takes the manager's and the listener lists' locks, so never the audio thread. */
    void removeListenerFromAll (Parameter::Listener* listener);
    /** Any thread: takes the manager's lock, so never the audio thread.
        Sets the immediate listener of the parameters present now. */
    void setImmediateListenerForAll (Parameter::ImmediateListener* listener);

    /** Any thread: takes the manager's lock, so never the audio thread.
        Under the lock, the parameter's setToStoredValue with notification; nothing for an
        unknown id. */
    void setParameterToStoredValue (int id, int which);

    /** Whether a parameter may get a MIDI CC learn pop-up or a MIDI CC map entry: not for
        null, parameters the host cannot automate, StringParameters and the plug-in's own
        commands (ids from 100000). */
    virtual bool canLearnMidi (Parameter* parameter) const;

    /** Any thread: allocates, so never the audio thread.
        Display text (with the unit) of a plain value of a parameter; products override for
        their own formats. Default: Parameter::getTextWithUnit. */
    virtual juce::String formatValue (const Parameter& parameter, float plainValue) const;

    /** Any thread: allocates, so never the audio thread.
        Reads formatValue's texts back; false when the text does not parse.
        Default: Parameter::parseDisplayText. */
    virtual bool parseValue (const Parameter& parameter, const juce::String& text, float& plainValue) const;

    const juce::CriticalSection& getLock() const noexcept { return lock; }

    /** Ids from this one on belong to the plug-in's own commands. */
    static constexpr int firstCommandId = 100000;

    /** Message thread.
        Delivers every parameter's pending listener update now. */
    void flushPendingUpdates();

    /** Makes a parameter from a "param" element by the kind its type names in ParameterKind's
        table (see docs/parameters.md); null with a message in error when the element is
        invalid. Products may add kinds. */
    virtual std::unique_ptr<Parameter> createParameter (const juce::XmlElement& element,
                                                        const juce::String& groupName,
                                                        juce::String& error) const;

private:
    /** Message thread.
        The deferred-update timer: delivers the changes other threads only flagged. */
    void timerCallback() override;
    juce::String checkNewParameter (const Parameter& parameter) const;
    void addToGroup (int id, const juce::String& groupName);
    /** The parameters, copied under the lock, for work done outside it. */
    juce::Array<Parameter*> snapshotParameters() const;

    juce::CriticalSection lock;
    juce::OwnedArray<Parameter> parameters;
    std::map<int, Parameter*> byId;
    std::map<juce::String, Parameter*> byName;
    juce::Array<Group> groups;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterManager)
};
