#pragma once

#include <juce_events/juce_events.h>
#include <atomic>

class ParameterManager;

/** One plug-in parameter.

    The value lives in atomics, so the audio thread, the host and the message thread may all read
    and write it. Two kinds of observer exist:
    - the one ImmediateListener (the plug-in object) is told on the calling thread the moment the
      stored value changes, so the DSP core and the host never wait for the message thread;
    - Listeners (widgets, the editor, the change detector) are told on the message thread through
      the parameter's asynchronous update, last added first.
*/
class Parameter : private juce::AsyncUpdater
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** Message thread. */
        virtual void parameterChanged (Parameter* parameter) = 0;
        /** Message thread. */
        virtual void parameterGestureBegan (Parameter*) {}
        /** Message thread. */
        virtual void parameterGestureEnded (Parameter*) {}
    };

    /** Told synchronously, on whichever thread changed the value. Must be real-time safe. */
    class ImmediateListener
    {
    public:
        virtual ~ImmediateListener() = default;
        /** Any thread: may not lock or allocate (it may be the audio thread).
            notify: the change came with notification (the host should hear of it). */
        virtual void parameterValueChanged (Parameter& parameter, bool notify) = 0;
        /** Any thread: lock-free. Whether the caller is the audio thread: a change there only
            raises the deferred-update flag, without asking which thread is the message
            thread (which locks). */
        virtual bool isAudioThread() const noexcept { return false; }
    };

    /** Everything "parameters.xml" says about one parameter. */
    struct Description
    {
        int id = -1;
        juce::String name;          // unique, used by skins to bind widgets
        juce::String displayName;   // shown to the user; the name when empty
        juce::String unitLabel;
        juce::String group;
        float minimum = 0.0f, maximum = 1.0f, defaultValue = 0.0f;
        float step = 0.0f;         // 0: continuous
        float skewCentre = 0.0f;   // plain value at the normalised middle; 0: linear
        int decimals = 2;
        bool automatable = true;   // the "auto" flag
        bool meta = false;
        bool affectsLatency = false;
        bool excludedFromPresets = false;
        bool showsValue = true;   // false: getValueText() is "@" (command buttons)
    };

    explicit Parameter (const Description& description);
    ~Parameter() override;

    //==============================================================================
    // Any thread: never locks or allocates; the description is fixed once the parameter is added.
    const Description& getDescription() const noexcept { return description; }
    int getId() const noexcept { return description.id; }
    const juce::String& getName() const noexcept { return description.name; }
    juce::String getDisplayName() const;   // a shared copy: no allocation
    const juce::String& getUnitLabel() const noexcept { return description.unitLabel; }
    const juce::String& getGroupName() const noexcept { return description.group; }
    bool isAutomatable() const noexcept { return description.automatable; }
    bool isMeta() const noexcept { return description.meta; }
    bool affectsLatency() const noexcept { return description.affectsLatency; }
    bool isExcludedFromPresets() const noexcept { return description.excludedFromPresets; }
    float getMinimum() const noexcept { return description.minimum; }
    float getMaximum() const noexcept { return description.maximum; }
    float getDefaultValue() const noexcept { return description.defaultValue; }
    float getStep() const noexcept { return description.step; }
    /** The manager that owns this parameter (set by ParameterManager::addParameter), or null. */
    const ParameterManager* getOwner() const noexcept { return owner; }

    /** Any thread: never locks or allocates.
        Host index of an automatable parameter (-1 when not given to the host). */
    int getHostIndex() const noexcept { return hostIndex; }
    /** Any thread: a plain store, so only while the plug-in is built (before the host reads it). */
    void setHostIndex (int index) noexcept { hostIndex = index; }

    //==============================================================================
    // Values may be read and set on any thread (the host's, the audio thread through MIDI CC
    // and the quality switch, the message thread). A setter tells the immediate listener on the
    // calling thread; with notify, off the message thread it only raises a flag that the
    // manager's timer turns into the listeners' update.

    /** Any thread: never locks or allocates. */
    virtual float getValue() const noexcept { return value.load (std::memory_order_relaxed); }
    /** Any thread: never locks or allocates. In the stores' single total order (a plain load on
        x86), so a reader that has just published its own store elsewhere sees every store made
        before that one (the host parameter's cache relies on it). */
    float getNormalisedValue() const noexcept { return normalised.load(); }
    /** Any thread: never locks or allocates. */
    int getIntValue() const noexcept;
    /** Any thread: never locks or allocates. */
    virtual bool getBoolValue() const noexcept;

    /** Any thread: off the message thread never locks or allocates.
        Clamps to the range (and snaps to the step); true when the stored value changed.
        NaN is ignored. */
    virtual bool setValue (float newValue, bool notify);
    /** Any thread: off the message thread never locks or allocates. Limits to 0..1, then as
        setValue; NaN is ignored. */
    bool setNormalisedValue (float newNormalised, bool notify);
    /** Any thread: never locks or allocates. The normalised value that setNormalisedValue
        of this one leaves the parameter holding: limited to 0..1 and snapped to the grid; for
        NaN, the value it holds now. */
    float heldNormalised (float newNormalised) const noexcept;
    /** Any thread: off the message thread never locks or allocates. */
    bool setIntValue (int newValue, bool notify);

    /** Any thread: off the message thread never locks or allocates.
        0 = the stored minimum, 1 = the stored maximum; any other selector does nothing. */
    virtual bool setToStoredValue (int which, bool notify);
    /** Any thread: off the message thread never locks or allocates. */
    bool setToDefault (bool notify);

    /** Any thread: never locks or allocates. */
    virtual float normalise (float plainValue) const noexcept;
    /** Any thread: never locks or allocates. */
    virtual float denormalise (float normalisedValue) const noexcept;
    /** Any thread: never locks or allocates.
        Clamped and snapped plain value. */
    virtual float constrain (float plainValue) const noexcept;

    //==============================================================================
    // Texts allocate; the host asks for them on its own threads, never on the audio thread.

    /** Any thread: allocates, so never the audio thread.
        Display text of the current value; "@" means "show the name only". */
    virtual juce::String getValueText() const;
    /** Any thread: allocates, so never the audio thread.
        Display text of a plain value with its unit, through the owner's formatValue(). */
    juce::String getDisplayText (float plainValue) const;
    /** Any thread: allocates, so never the audio thread.
        The kind's text of a plain value followed by " " and the unit (when there is one). */
    juce::String getTextWithUnit (float plainValue) const;
    /** Any thread: allocates, so never the audio thread.
        Display text of any plain value, without the unit. */
    virtual juce::String getTextForValue (float plainValue) const;
    /** Any thread: allocates, so never the audio thread.
        Parses a display text (through the owner's parseValue()) back to a constrained plain
        value; the current value when the text does not parse. */
    float getValueForText (const juce::String& text) const;
    /** Any thread: allocates, so never the audio thread.
        The kind's parser of display texts, read whole: a number, then optionally the
        parameter's own unit in any case; false for anything else. */
    virtual bool parseDisplayText (const juce::String& text, float& plainValue) const;
    /** Any thread: allocates, so never the audio thread.
        The value as text for presets and state: exact enough to round-trip. */
    virtual juce::String getText() const;
    /** Any thread: allocates, so never the audio thread.
        Sets the value from getText()'s form; false when the text does not parse. */
    virtual bool setText (const juce::String& text, bool notify);
    /** Any thread: never locks or allocates.
        Number of distinct values for the host, as JUCE counts them (a bool has 2);
        0: continuous. */
    virtual int getNumSteps() const noexcept;
    /** The "type" attribute of the kind in "parameters.xml" ("float", "enum", ...); the kind's
        row in ParameterKind's table has the same name. */
    virtual juce::String getTypeName() const;
    /** Any thread: allocates (a copy), so never the audio thread.
        The item names of an enumerated kind; empty for the others. */
    virtual juce::StringArray getItemNames() const { return {}; }

    //==============================================================================
    // Listeners are told on the message thread: synchronously by the gesture operations and
    // from the asynchronous update.

    /** Any thread: takes the listener list's lock, so never the audio thread.
        Adds a listener once; null is ignored. */
    void addListener (Listener* listener);
    /** Any thread: takes the listener list's lock, so never the audio thread. */
    void removeListener (Listener* listener);
    int getNumListeners() const { return listeners.size(); }
    /** Any thread: never locks or allocates. */
    void setImmediateListener (ImmediateListener* l) noexcept { immediateListener.store (l); }

    /** Message thread.
        Tells the listeners only when the gesture flag changes. */
    void beginChangeGesture();
    /** Message thread.
        Tells the listeners only when the gesture flag changes. */
    void endChangeGesture();
    /** Any thread: never locks or allocates. */
    bool isInGesture() const noexcept { return gesture.load(); }

    /** Message thread.
        Delivers a pending listener update at once. */
    void flushPendingUpdate();

    /** Message thread.
        Tells the listeners of a change made on another thread, if any. Called by the manager's
        deferred-update timer; off the message thread a change only raises a flag, so the audio
        thread never posts a message (which locks and may allocate). */
    void deliverDeferredUpdate();

protected:
    /** The description with integer limits, step 1 and no decimals: for the kinds whose values
        are whole numbers. */
    static Description integerDescription (Description d);

    /** Stores a plain value already constrained; tells the observers when it changed. */
    bool storeValue (float constrainedValue, bool notify);
    /** Tells the immediate listener now and, with notify, the listeners on the message thread. */
    void announceChange (bool notify) noexcept;

    Description description;

private:
    friend class ParameterManager;

    // Message thread: delivers a change made on the message thread to the listeners.
    void handleAsyncUpdate() override;
    void callListeners (void (Listener::*callback) (Parameter*));

    std::atomic<float> value { 0.0f }, normalised { 0.0f };
    std::atomic<bool> gesture { false };
    std::atomic<bool> deferredUpdate { false };
    std::atomic<ImmediateListener*> immediateListener { nullptr };
    const ParameterManager* owner = nullptr;
    double skew = 1.0;   // from skewCentre; 1 is linear
    int hostIndex = -1;
    // The lock only keeps a listener registered from another thread from racing a delivery.
    juce::Array<Listener*, juce::CriticalSection> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Parameter)
};
