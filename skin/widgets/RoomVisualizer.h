#pragma once

#include "core/parameters/ListenerArray.h"
#include "skin/ParameterController.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <array>

class Skin;
class ParameterManager;

/** A room seen from above ("RoomVisualizer") with two microphones and two speakers. The
    room's width and length and each object's position and facing are parameters: dragging an
    object sets its X and Y (two decimals, one change gesture each), the wheel zooms around
    the pointer in a scrolling view. Message thread only. */
class RoomVisualizer : public juce::Component
{
public:
    /** Told after every zoom change; called last added first. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** Message thread. */
        virtual void zoomChanged (RoomVisualizer* visualizer) = 0;
    };

    /** The room component inside the scrolling view. */
    class Room : public juce::Component,
                 public ParameterController
    {
    public:
        /** A microphone or speaker: a dot, its facing line and its label. */
        class Object : public ParameterController
        {
        public:
            Object (Room& room, const juce::String& label, juce::Colour colour, bool flipped, int justification);

            /** Binds the X, Y and angle parameters (null, or a name used twice, stays unbound). */
            void bind (Parameter* x, Parameter* y, Parameter* angle);
            /** Message thread (through parameterChanged). */
            void parameterValueChanged (Parameter* parameter) override;

            /** Places the dot from its X and Y values; nothing while the room has no size. */
            void place();
            /** Moves the dot, clamped into the room; nothing while the room has no size. */
            void setPixelPosition (juce::Point<float> position);
            juce::Point<float> getPixelPosition() const noexcept { return pixel; }
            bool contains (juce::Point<float> point) const noexcept;
            /** Sets the bound X and Y parameters from the pixel position, two decimals each,
                each inside its own change gesture. */
            void commit();
            void paint (juce::Graphics& g, float lineLength) const;
            /** The three lines of the label: name, "X×Y" and the angle with "°". */
            juce::String getLabelText() const;

            const juce::String& getLabel() const noexcept { return label; }
            juce::Colour getColour() const noexcept { return colour; }
            void setColour (juce::Colour c) noexcept { colour = c; }
            float getX() const noexcept { return xValue; }
            float getY() const noexcept { return yValue; }
            float getAngle() const noexcept { return angle; }
            Parameter* getXParameter() const noexcept { return xParameter; }
            Parameter* getYParameter() const noexcept { return yParameter; }

        private:
            Room& room;
            juce::String label;
            juce::Point<float> pixel;
            float xValue = 0.0f, yValue = 0.0f, angle = 0.0f;
            juce::Colour colour;
            bool flipped;
            int justification;
            Parameter* xParameter = nullptr;
            Parameter* yParameter = nullptr;
            Parameter* angleParameter = nullptr;
        };

        static constexpr int numObjects = 4;
        /** No side of the room grows beyond this, whatever the parameters say. */
        static constexpr int maxSide = 1 << 16;

        Room (RoomVisualizer& owner, const juce::ValueTree& element, const ParameterManager* manager);
        ~Room() override;

        juce::Viewport& getViewport() noexcept { return viewport; }
        Object& getObject (int index) noexcept { return *objects[(size_t) index]; }
        /** The object under a point, M1, M2, S1, S2 first; null for none. */
        Object* getObjectAt (juce::Point<float> point);
        Object* getHoveredObject() const noexcept { return hovered; }

        float getZoom() const noexcept { return zoom; }
        /** Zooms to z keeping the room point p under the pointer; tells the zoom listeners. */
        void setZoom (float z, juce::Point<float> p);
        void zoomIn (juce::Point<float> p);
        void zoomOut (juce::Point<float> p);
        int getBaseSize() const noexcept { return baseSize; }
        void setBaseSize (int size);
        float getRoomWidth() const noexcept { return roomWidth; }
        float getRoomLength() const noexcept { return roomLength; }
        /** The length of the direction lines: the room's diagonal in pixels. */
        float getDiagonal() const noexcept { return diagonal; }

        /** Sizes the room from its dimensions, the base size and the zoom, and places the
            objects. */
        void layOut();
        void placeObjects();

        /** Message thread (through parameterChanged). */
        void parameterValueChanged (Parameter* parameter) override;
        void paint (juce::Graphics& g) override;
        void resized() override;
        void mouseEnter (const juce::MouseEvent& e) override;
        void mouseExit (const juce::MouseEvent& e) override;
        void mouseMove (const juce::MouseEvent& e) override;
        void mouseDown (const juce::MouseEvent& e) override;
        void mouseDrag (const juce::MouseEvent& e) override;
        void mouseUp (const juce::MouseEvent& e) override;
        void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

    private:
        void updateCursor();

        RoomVisualizer& owner;
        juce::Viewport viewport;
        Parameter* widthParameter = nullptr;
        Parameter* lengthParameter = nullptr;
        std::array<std::unique_ptr<Object>, numObjects> objects;
        int baseSize = 0;
        float zoom = 1.0f;
        float roomWidth = 0.0f, roomLength = 0.0f;
        static constexpr std::array<float, 10> zoomLevels { 1, 2, 4, 8, 16, 32, 64, 128, 256, 512 };
        float diagonal = 0.0f;
        bool mouseInside = false, dragging = false, zoomedWhileHeld = false;
        juce::Point<float> dragStart, objectStart;
        Object* hovered = nullptr;
        juce::Time lastWheelTime;
        juce::MouseCursor handCursor;

        JUCE_DECLARE_NON_COPYABLE (Room)
    };

    RoomVisualizer (const juce::ValueTree& element, Skin& skin);
    ~RoomVisualizer() override;

    Room& getRoom() noexcept { return room; }

    void addZoomListener (Listener* listener) { zoomListeners.add (listener); }
    void removeZoomListener (Listener* listener) { zoomListeners.remove (listener); }

    void resized() override;

private:
    friend class Room;
    void notifyZoomChanged();

    Room room;
    ListenerArray<Listener> zoomListeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RoomVisualizer)
};
