#include "core/parameters/Parameter.h"
#include "core/parameters/ParameterManager.h"
#include "core/parameters/ParameterText.h"

#include <cmath>

Parameter::Parameter (const Description& d)
    : description (d)
{
    jassert (description.minimum <= description.maximum);

    const double range = (double) description.maximum - description.minimum;
    const double centre = description.skewCentre;

    // A centre of 0 means linear, also for ranges that contain 0.
    if (range > 0.0 && centre != 0.0 && centre > description.minimum && centre < description.maximum)
        skew = std::log (0.5) / std::log ((centre - description.minimum) / range);

    const float initial = Parameter::constrain (description.defaultValue);
    description.defaultValue = initial;
    value.store (initial);
    normalised.store (Parameter::normalise (initial));
}

Parameter::~Parameter() = default;

Parameter::Description Parameter::integerDescription (Description d)
{
    d.minimum = std::round (d.minimum);
    d.maximum = std::round (d.maximum);
    d.defaultValue = std::round (d.defaultValue);
    d.step = 1.0f;
    d.skewCentre = 0.0f;
    d.decimals = 0;
    return d;
}

juce::String Parameter::getDisplayName() const
{
    return description.displayName.isNotEmpty() ? description.displayName : description.name;
}

//==============================================================================
int Parameter::getIntValue() const noexcept
{
    return juce::roundToInt (getValue());
}

bool Parameter::getBoolValue() const noexcept
{
    return getNormalisedValue() >= 0.5f;
}

bool Parameter::setValue (float newValue, bool notify)
{
    if (std::isnan (newValue))
        return false;

    return storeValue (constrain (newValue), notify);
}

bool Parameter::setNormalisedValue (float newNormalised, bool notify)
{
    if (std::isnan (newNormalised))
        return false;

    return storeValue (constrain (denormalise (juce::jlimit (0.0f, 1.0f, newNormalised))), notify);
}

float Parameter::heldNormalised (float newNormalised) const noexcept
{
    if (std::isnan (newNormalised))
        return getNormalisedValue();

    // What storeValue keeps: the constrained value and its normalised form.
    return normalise (constrain (denormalise (juce::jlimit (0.0f, 1.0f, newNormalised))));
}

bool Parameter::setIntValue (int newValue, bool notify)
{
    return setValue ((float) newValue, notify);
}

bool Parameter::setToStoredValue (int which, bool notify)
{
    if (which == 0) return setValue (description.minimum, notify);
    if (which == 1) return setValue (description.maximum, notify);

    return false;
}

bool Parameter::setToDefault (bool notify)
{
    return setValue (description.defaultValue, notify);
}

float Parameter::normalise (float plainValue) const noexcept
{
    const double range = (double) description.maximum - description.minimum;

    if (! (range > 0.0))
        return 0.0f;

    double proportion = juce::jlimit (0.0, 1.0, ((double) plainValue - description.minimum) / range);

    if (skew != 1.0)
        proportion = std::pow (proportion, skew);

    return (float) proportion;
}

float Parameter::denormalise (float normalisedValue) const noexcept
{
    double proportion = juce::jlimit (0.0, 1.0, (double) normalisedValue);

    if (skew != 1.0)
        proportion = std::pow (proportion, 1.0 / skew);

    return (float) (description.minimum + proportion * ((double) description.maximum - description.minimum));
}

float Parameter::constrain (float plainValue) const noexcept
{
    double v = juce::jlimit ((double) description.minimum, (double) description.maximum, (double) plainValue);

    if (description.step > 0.0f)
    {
        // The nearest point of the grid from the minimum, or the maximum when the step does
        // not divide the range and the maximum is nearer.
        const double step = description.step, maximum = description.maximum;
        const double snapped = juce::jmin (maximum, description.minimum + std::round ((v - description.minimum) / step) * step);
        v = std::abs (maximum - v) < std::abs (v - snapped) ? maximum : snapped;
    }

    return (float) v;
}

//==============================================================================
juce::String Parameter::getValueText() const
{
    if (! description.showsValue)
        return "@";

    return getDisplayText (getValue());
}

juce::String Parameter::getDisplayText (float plainValue) const
{
    if (owner != nullptr)
        return owner->formatValue (*this, plainValue);

    return getTextWithUnit (plainValue);
}

juce::String Parameter::getTextWithUnit (float plainValue) const
{
    auto text = getTextForValue (plainValue);

    if (description.unitLabel.isNotEmpty())
        text << ' ' << description.unitLabel;

    return text;
}

juce::String Parameter::getTextForValue (float plainValue) const
{
    return ParameterText::formatFixed (plainValue, description.decimals);
}

float Parameter::getValueForText (const juce::String& text) const
{
    float plain = 0.0f;
    const bool parsed = owner != nullptr ? owner->parseValue (*this, text, plain)
                                         : parseDisplayText (text, plain);

    return parsed && ! std::isnan (plain) ? constrain (plain) : getValue();
}

bool Parameter::parseDisplayText (const juce::String& text, float& plainValue) const
{
    double v = 0.0;
    juce::String unit;

    if (! ParameterText::parseQuantity (text, v, unit) || ! (unit.isEmpty() || unit.equalsIgnoreCase (description.unitLabel)))
        return false;

    plainValue = (float) juce::jlimit (-1.0e30, 1.0e30, v);
    return true;
}

juce::String Parameter::getText() const
{
    return ParameterText::formatExact (getValue());
}

bool Parameter::setText (const juce::String& text, bool notify)
{
    double v = 0.0;

    if (! ParameterText::parseNumber (text, v))
        return false;

    setValue ((float) juce::jlimit (-1.0e30, 1.0e30, v), notify);
    return true;
}

juce::String Parameter::getTypeName() const
{
    return "float";
}

int Parameter::getNumSteps() const noexcept
{
    if (description.step <= 0.0f)
        return 0;

    const double intervals = ((double) description.maximum - description.minimum) / description.step;
    const double whole = std::floor (intervals + 1.0e-6);
    return (int) whole + (intervals - whole > 1.0e-6 ? 2 : 1);
}

//==============================================================================
void Parameter::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void Parameter::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void Parameter::beginChangeGesture()
{
    if (! gesture.exchange (true))
        callListeners (&Listener::parameterGestureBegan);
}

void Parameter::endChangeGesture()
{
    if (gesture.exchange (false))
        callListeners (&Listener::parameterGestureEnded);
}

void Parameter::flushPendingUpdate()
{
    const bool deferred = deferredUpdate.exchange (false);

    if (deferred || isUpdatePending())
    {
        cancelPendingUpdate();
        callListeners (&Listener::parameterChanged);
    }
}

void Parameter::deliverDeferredUpdate()
{
    if (deferredUpdate.exchange (false))
    {
        cancelPendingUpdate();
        callListeners (&Listener::parameterChanged);
    }
}

//==============================================================================
bool Parameter::storeValue (float constrainedValue, bool notify)
{
    if (value.exchange (constrainedValue) == constrainedValue)
        return false;

    // A concurrent setter may have stored its value in between: keep the normalised value
    // following whatever value is stored last.
    for (float v = constrainedValue;;)
    {
        normalised.store (normalise (v));
        const float now = value.load();

        if (now == v)
            break;

        v = now;
    }

    announceChange (notify);
    return true;
}

void Parameter::announceChange (bool notify) noexcept
{
    auto* l = immediateListener.load();

    if (l != nullptr)
        l->parameterValueChanged (*this, notify);

    if (! notify)
        return;

    // Posting a message locks and may allocate, so other threads only raise a flag that the
    // manager's timer turns into the update.
    if ((l == nullptr || ! l->isAudioThread()) && juce::MessageManager::existsAndIsCurrentThread())
        triggerAsyncUpdate();
    else
        deferredUpdate.store (true);
}

void Parameter::handleAsyncUpdate()
{
    deferredUpdate.store (false);
    callListeners (&Listener::parameterChanged);
}

void Parameter::callListeners (void (Listener::*callback) (Parameter*))
{
    const juce::ScopedLock sl (listeners.getLock());

    // Last added first; a listener may remove itself or others during the call.
    for (int i = listeners.size(); --i >= 0;)
    {
        if (i >= listeners.size())
        {
            i = listeners.size();
            continue;
        }

        (listeners.getUnchecked (i)->*callback) (this);
    }
}
