#include "skin/widgets/RoomVisualizer.h"
#include "core/parameters/ParameterManager.h"
#include "skin/Skin.h"
#include "skin/StandardWidgetBuilder.h"
#include <cmath>

namespace
{
    struct ObjectRow
    {
        const char* label;
        const char* xAttribute;
        const char* yAttribute;
        const char* angleAttribute;
        const char* colourAttribute;
        juce::uint32 colour;
        bool flipped;
        int justification;
    };

    // clang-format off
    const ObjectRow objectRows[RoomVisualizer::Room::numObjects] = {
        { "M1", "mic1XParam", "mic1YParam", "mic1AngleParam", "mic1Col", 0xFF008000, false, juce::Justification::topRight },
        { "M2", "mic2XParam", "mic2YParam", "mic2AngleParam", "mic2Col", 0xFF48A448, false, juce::Justification::topLeft },
        { "S1", "spk1XParam", "spk1YParam", "spk1AngleParam", "spk1Col", 0xFFFF0000, true,  juce::Justification::bottomRight },
        { "S2", "spk2XParam", "spk2YParam", "spk2AngleParam", "spk2Col", 0xFFFF4848, true,  juce::Justification::bottomLeft },
    };
    // clang-format on

    Parameter* lookUp (const ParameterManager* manager, const juce::ValueTree& element, const char* attribute)
    {
        if (manager == nullptr || ! element.hasProperty (attribute))
            return nullptr;

        return manager->getParameterByName (element.getProperty (attribute).toString());
    }

    // Values from parameters or the host may be anything: what is not a finite number reads
    // as the nearest value of the parameter's range (NaN as 0 brought into it).
    float readable (const Parameter& p)
    {
        const float v = p.getValue();

        if (std::isfinite (v))
            return v;

        const float lo = juce::jmin (p.getMinimum(), p.getMaximum()), hi = juce::jmax (p.getMinimum(), p.getMaximum());
        return juce::jlimit (lo, hi, std::isnan (v) ? 0.0f : v);
    }

    // A room dimension: finite and not negative, else no room at all.
    float readableSize (float v)
    {
        return std::isfinite (v) && v > 0.0f ? v : 0.0f;
    }

    /** An open hand, drawn here: JUCE's own dragging-hand cursor on Linux is decoded from GIF
        data by a decoder that reads outside its table. */
    juce::MouseCursor makeDraggingHandCursor()
    {
        juce::Image image (juce::Image::ARGB, 20, 20, true);
        juce::Graphics g (image);
        juce::Path hand;
        hand.addRoundedRectangle (5.0f, 8.0f, 10.0f, 9.0f, 3.0f);

        for (int i = 0; i < 4; ++i)
            hand.addRoundedRectangle (5.0f + 2.5f * (float) i, 3.0f + (i == 0 || i == 3 ? 1.5f : 0.0f), 2.4f, 8.0f, 1.2f);

        hand.addRoundedRectangle (2.0f, 9.0f, 5.0f, 2.4f, 1.2f);
        g.setColour (juce::Colours::white);
        g.fillPath (hand);
        g.setColour (juce::Colours::black);
        g.strokePath (hand, juce::PathStrokeType (1.0f));
        return juce::MouseCursor (image, 10, 10);
    }

    float twoDecimals (double v)
    {
        return (float) (std::round (v * 100.0) / 100.0);
    }
}

//==============================================================================
RoomVisualizer::Room::Object::Object (Room& r, const juce::String& l, juce::Colour c, bool f, int j)
    : room (r), label (l), colour (c), flipped (f), justification (j)
{
    angle = flipped ? 180.0f : 0.0f;
}

void RoomVisualizer::Room::Object::bind (Parameter* x, Parameter* y, Parameter* a)
{
    // Each pointer is set before binding (binding reports the value at once) and cleared when
    // the binding is refused (a parameter named twice serves its first use only).
    xParameter = x;
    if (! addParameter (x)) xParameter = nullptr;
    yParameter = y;
    if (! addParameter (y)) yParameter = nullptr;
    angleParameter = a;
    if (! addParameter (a)) angleParameter = nullptr;
}

void RoomVisualizer::Room::Object::parameterValueChanged (Parameter* p)
{
    if (p == nullptr)
        return;

    if (p == xParameter)
    {
        xValue = readable (*p);
        place();
    }
    else if (p == yParameter)
    {
        yValue = readable (*p);
        place();
    }
    else if (p == angleParameter)
    {
        angle = readable (*p) + (flipped ? 180.0f : 0.0f);
        room.repaint();
    }
}

void RoomVisualizer::Room::Object::place()
{
    const float w = (float) room.getWidth(), h = (float) room.getHeight();

    // Without a room (unbound or zero dimensions) there is nowhere to put the object.
    if (room.roomWidth <= 0.0f || room.roomLength <= 0.0f || w < 1.0f || h < 1.0f)
        return;

    const float px = (w - 1.0f) * xValue / room.roomWidth;
    const float py = (1.0f - yValue / room.roomLength) * (h - 1.0f);
    setPixelPosition ({ std::isnan (px) ? 0.0f : px, std::isnan (py) ? 0.0f : py });
}

void RoomVisualizer::Room::Object::setPixelPosition (juce::Point<float> position)
{
    const float w = (float) room.getWidth(), h = (float) room.getHeight();

    if (w < 1.0f || h < 1.0f)
        return;

    const juce::Point<float> clamped (juce::jlimit (0.0f, w - 1.0f, position.x), juce::jlimit (0.0f, h - 1.0f, position.y));

    if (clamped != pixel)
    {
        pixel = clamped;
        room.repaint();
    }
}

bool RoomVisualizer::Room::Object::contains (juce::Point<float> p) const noexcept
{
    return pixel.x - 5.0f <= p.x && p.x < pixel.x + 5.0f && pixel.y - 5.0f <= p.y && p.y < pixel.y + 5.0f;
}

void RoomVisualizer::Room::Object::commit()
{
    const float w = (float) room.getWidth(), h = (float) room.getHeight();

    // A room one pixel wide (or high) has no positions along that side to read a value from.
    Parameter* const x = w > 1.0f ? xParameter : nullptr;
    Parameter* const y = h > 1.0f ? yParameter : nullptr;

    for (auto* p : { x, y })
        if (p != nullptr)
            p->beginChangeGesture();

    if (x != nullptr)
        setValue (x, twoDecimals ((double) pixel.x / (w - 1.0) * room.roomWidth));

    if (y != nullptr)
        setValue (y, twoDecimals ((1.0 - (double) pixel.y / (h - 1.0)) * room.roomLength));

    for (auto* p : { x, y })
        if (p != nullptr)
            p->endChangeGesture();
}

juce::String RoomVisualizer::Room::Object::getLabelText() const
{
    return label + "\n" + juce::String (xValue, 2) + juce::String (juce::CharPointer_UTF8 ("\xc3\x97"))
        + juce::String (yValue, 2) + "\n" + juce::String (flipped ? angle - 180.0f : angle)
        + juce::String (juce::CharPointer_UTF8 ("\xc2\xb0"));
}

void RoomVisualizer::Room::Object::paint (juce::Graphics& g, float lineLength) const
{
    const float cx = pixel.x, cy = pixel.y;
    g.setColour (colour);
    g.fillEllipse (cx - 5.0f, cy - 5.0f, 10.0f, 10.0f);

    const float a = angle * 3.1415927f / 180.0f;
    g.drawLine (cx, cy, cx + std::sin (a) * lineLength, cy - std::cos (a) * lineLength, 1.0f);

    const auto text = getLabelText();
    const auto font = g.getCurrentFont();
    const int w = font.getStringWidth (juce::StringArray::fromLines (text)[1]);
    const float h = font.getHeight();
    const bool left = (justification & juce::Justification::left) != 0;
    const int x = left ? juce::roundToInt (cx) + 10 : juce::roundToInt (cx) - 10 - w;
    const int baseline = flipped ? juce::roundToInt (cy) + 5 : juce::roundToInt (cy) + 5 - (int) (3.0f * h);
    g.drawMultiLineText (text, x, baseline, w, juce::Justification (justification), 0.0f);
}

//==============================================================================
RoomVisualizer::Room::Room (RoomVisualizer& o, const juce::ValueTree& element, const ParameterManager* manager)
    : owner (o), handCursor (makeDraggingHandCursor())
{
    widthParameter = lookUp (manager, element, "roomWidthParam");
    lengthParameter = lookUp (manager, element, "roomLengthParam");

    for (int i = 0; i < numObjects; ++i)
    {
        const auto& row = objectRows[i];
        objects[(size_t) i] = std::make_unique<Object> (*this, row.label, juce::Colour (row.colour), row.flipped, row.justification);
        objects[(size_t) i]->bind (lookUp (manager, element, row.xAttribute), lookUp (manager, element, row.yAttribute),
                                   lookUp (manager, element, row.angleAttribute));
    }

    viewport.setViewedComponent (this, false);
    viewport.setScrollBarsShown (true, true);
    viewport.getHorizontalScrollBar().setAutoHide (false);
    viewport.getVerticalScrollBar().setAutoHide (false);
    viewport.setScrollOnDragMode (juce::Viewport::ScrollOnDragMode::all);

    auto* const width = widthParameter;
    auto* const length = lengthParameter;
    if (! addParameter (width)) widthParameter = nullptr;
    if (! addParameter (length)) lengthParameter = nullptr;

    for (int i = 0; i < numObjects; ++i)
        if (element.hasProperty (objectRows[i].colourAttribute))
            objects[(size_t) i]->setColour (parseColour (element.getProperty (objectRows[i].colourAttribute).toString()));
}

RoomVisualizer::Room::~Room()
{
    // The view does not own us; it must not keep pointing at us.
    viewport.setViewedComponent (nullptr, false);
}

RoomVisualizer::Room::Object* RoomVisualizer::Room::getObjectAt (juce::Point<float> point)
{
    // A room without a size has no objects placed in it.
    if (getWidth() < 1 || getHeight() < 1)
        return nullptr;

    for (auto& object : objects)
        if (object->contains (point))
            return object.get();

    return nullptr;
}

void RoomVisualizer::Room::parameterValueChanged (Parameter* p)
{
    if (p == nullptr)
        return;

    if (p == widthParameter)
        roomWidth = readableSize (p->getValue());
    else if (p == lengthParameter)
        roomLength = readableSize (p->getValue());
    else
        return;

    layOut();
}

void RoomVisualizer::Room::setBaseSize (int size)
{
    if (size == baseSize)
        return;

    baseSize = size;
    layOut();
}

void RoomVisualizer::Room::layOut()
{
    const double s = (double) baseSize / 100.0;
    const auto side = [s, this] (float units) {
        return (int) juce::jlimit (0.0, (double) maxSide, std::round ((double) units * s * (double) zoom));
    };

    setBounds (0, 0, side (roomWidth), side (roomLength));
    placeObjects();
    repaint();
}

void RoomVisualizer::Room::placeObjects()
{
    for (auto& object : objects)
        object->place();
}

void RoomVisualizer::Room::resized()
{
    // Sides reach 65536 pixels: their squares do not fit an int.
    diagonal = (float) std::hypot ((double) getWidth(), (double) getHeight());
    placeObjects();
}

void RoomVisualizer::Room::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);

    for (auto& object : objects)
        object->paint (g, diagonal);
}

void RoomVisualizer::Room::updateCursor()
{
    if (! mouseInside)
        setMouseCursor (juce::MouseCursor::NormalCursor);
    else if (hovered != nullptr)
        setMouseCursor (juce::MouseCursor::CrosshairCursor);
    else
        setMouseCursor (handCursor);
}

void RoomVisualizer::Room::mouseEnter (const juce::MouseEvent&)
{
    mouseInside = true;
    updateCursor();
}

void RoomVisualizer::Room::mouseExit (const juce::MouseEvent&)
{
    mouseInside = false;
    updateCursor();
}

void RoomVisualizer::Room::mouseMove (const juce::MouseEvent& e)
{
    if (dragging)
        return;

    hovered = getObjectAt (e.position);
    updateCursor();
}

void RoomVisualizer::Room::mouseDown (const juce::MouseEvent& e)
{
    // The press itself says what is under it, even without a move before it.
    hovered = getObjectAt (e.position);
    dragging = true;
    zoomedWhileHeld = false;
    dragStart = e.position;

    if (hovered != nullptr)
    {
        objectStart = hovered->getPixelPosition();
        viewport.setScrollOnDragMode (juce::Viewport::ScrollOnDragMode::never);
    }

    updateCursor();
}

void RoomVisualizer::Room::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging && hovered != nullptr)
        hovered->setPixelPosition (objectStart + (e.position - dragStart));
}

void RoomVisualizer::Room::mouseUp (const juce::MouseEvent&)
{
    const bool wasDragging = std::exchange (dragging, false);
    const bool zoomed = std::exchange (zoomedWhileHeld, false);

    // A click that did not move the object changes nothing; a zoom under a held object moved it.
    if (wasDragging && hovered != nullptr && (hovered->getPixelPosition() != objectStart || zoomed))
        hovered->commit();

    viewport.setScrollOnDragMode (juce::Viewport::ScrollOnDragMode::all);
}

void RoomVisualizer::Room::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (e.eventTime == lastWheelTime)
        return;

    lastWheelTime = e.eventTime;

    if (wheel.deltaY > 0.0f)
        zoomIn (e.position);
    else
        zoomOut (e.position);
}

void RoomVisualizer::Room::zoomIn (juce::Point<float> p)
{
    for (auto level : zoomLevels)
    {
        if (level > zoom)
        {
            setZoom (level, p);
            return;
        }
    }
}

void RoomVisualizer::Room::zoomOut (juce::Point<float> p)
{
    for (auto it = zoomLevels.rbegin(); it != zoomLevels.rend(); ++it)
    {
        if (*it < zoom)
        {
            setZoom (*it, p);
            return;
        }
    }
}

void RoomVisualizer::Room::setZoom (float z, juce::Point<float> p)
{
    if (z == zoom || ! std::isfinite (z) || z <= 0.0f)
        return;

    const auto ratio = [] (float v, int size) { return size > 1 ? juce::jlimit (0.0f, 1.0f, v / (float) (size - 1)) : 0.0f; };
    const float rx = ratio (p.x, getWidth()), ry = ratio (p.y, getHeight());
    const auto offset = p - viewport.getViewPosition().toFloat();
    Object* const held = dragging ? hovered : nullptr;
    const auto grip = held != nullptr ? held->getPixelPosition() - p : juce::Point<float>();

    zoom = z;
    layOut();

    viewport.setViewPosition (juce::roundToInt ((double) (getWidth() - 1) * rx - offset.x),
                              juce::roundToInt ((double) (getHeight() - 1) * ry - offset.y));

    // A held object stays under the still pointer (where the view put the pointer's room
    // point, which the view's edges may have shifted); the drag goes on from there.
    if (held != nullptr)
    {
        const auto pointer = viewport.getViewPosition().toFloat() + offset;
        held->setPixelPosition (pointer + grip);
        dragStart = pointer;
        objectStart = held->getPixelPosition();
        zoomedWhileHeld = true;
    }
    owner.notifyZoomChanged();
}

//==============================================================================
RoomVisualizer::RoomVisualizer (const juce::ValueTree& element, Skin& skin)
    : juce::Component (element.getProperty ("name").toString()),
      room (*this, element, skin.getParameterManager())
{
    addAndMakeVisible (room.getViewport());
    setBounds (readCoordinateAttribute (element, "x"), readCoordinateAttribute (element, "y"),
               readSizeAttribute (element, "w"), readSizeAttribute (element, "h"));
}

RoomVisualizer::~RoomVisualizer() = default;

void RoomVisualizer::resized()
{
    auto& view = room.getViewport();
    view.setBounds (getLocalBounds());
    room.setBaseSize (juce::jmax (0, juce::jmax (view.getWidth(), view.getHeight()) - view.getScrollBarThickness()));
}

void RoomVisualizer::notifyZoomChanged()
{
    zoomListeners.call ([this] (Listener& l) { l.zoomChanged (this); });
}
