// The browser's result list with 10,000 items: showing and sorting them through the list against
// a plain std::sort of the same names with the list's own comparison (goal: at most 3 times),
// and painting the list with 10,000 items against 100 (goal: at most 1.2 times; only the rows in
// view are laid out and painted).

#include "editor/browser/ContentResults.h"
#include "BenchmarkSetup.h"
#include <algorithm>
#include <random>

namespace
{
    juce::StringArray presetNames (int count)
    {
        static const char* const words[] = { "Bass", "Lead", "Pad", "Keys", "Drum", "Crunch", "Vinyl", "Tape" };
        juce::StringArray names;
        juce::Random random (42);

        for (int i = 0; i < count; ++i)
            names.add (juce::String (words[random.nextInt (8)]) + " " + juce::String (random.nextInt (5000)) + " v" + juce::String (i));

        return names;
    }

    class NamedSource : public ContentSource
    {
    public:
        explicit NamedSource (const juce::StringArray& itemNames) : ContentSource ("User", false), names (itemNames)
        {
            refresh();
        }

    protected:
        void scanItems (juce::Array<ItemRecord>& records) override
        {
            for (auto& n : names)
                records.add ({ n, {} });
        }

    private:
        juce::StringArray names;
    };

    /** The list as the browser holds it, with the source's items in scrambled order. */
    struct ShownList : ContentResults::Owner
    {
        explicit ShownList (int count) : source (presetNames (count))
        {
            for (auto* item : source.getItems())
                items.add (item);

            std::shuffle (items.begin(), items.end(), std::mt19937 (7));
            results.setSize (800, 400);
        }

        ~ShownList() override { results.clear(); }

        const juce::Array<ContentItem*>& getItems() const override { return items; }
        int getMode() const override { return 0; }
        bool isEditMode() const override { return false; }
        bool isAutoplayOn() const override { return false; }
        juce::Component* getWarningParent() override { return nullptr; }

        NamedSource source;
        juce::Array<ContentItem*> items;
        ContentResults results { *this };
    };

    void listShowsAndSorts (benchmark::State& state)
    {
        ShownList list (10000);

        for (auto _ : state)
        {
            list.results.showItems (list.items);
            benchmark::DoNotOptimize (list.results.getItem (0));
        }
    }

    void plainSortOfTheNames (benchmark::State& state)
    {
        ShownList list (10000);
        std::vector<juce::String> scrambled;

        for (auto* item : list.items)
            scrambled.push_back (item->name);

        for (auto _ : state)
        {
            auto names = scrambled;
            std::sort (names.begin(), names.end(), ContentResults::isInDisplayOrder);
            benchmark::DoNotOptimize (names.data());
        }
    }

    void paintList (benchmark::State& state)
    {
        ShownList list ((int) state.range (0));
        list.results.showItems (list.items);
        list.results.selectIndex (3, ContentResults::single, ContentResults::leftClick, false);
        juce::Image image (juce::Image::ARGB, list.results.getWidth(), list.results.getHeight(), true);

        for (auto _ : state)
        {
            juce::Graphics g (image);
            list.results.paintEntireComponent (g, true);
            benchmark::DoNotOptimize (image.getPixelData());
        }
    }
}

BENCHMARK (plainSortOfTheNames)->Unit (benchmark::kMillisecond);
BENCHMARK (listShowsAndSorts)->Unit (benchmark::kMillisecond);
BENCHMARK (paintList)->Arg (100)->Arg (10000)->Unit (benchmark::kMicrosecond);

int main (int argc, char** argv)
{
    return runBenchmarksWithGui (argc, argv);
}
