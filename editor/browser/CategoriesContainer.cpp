#include "editor/browser/CategoriesContainer.h"

CategoriesContainer::CategoriesContainer() = default;

CategoriesContainer::~CategoriesContainer()
{
    cancelPendingUpdate();
}

void CategoriesContainer::addCategory (CategoryComponent* category)
{
    if (category == nullptr)
        return;

    categories.add (category);
    addAndMakeVisible (category);
    category->setBounds (50, 50, 150, 150);
    category->refreshMoveButtons();
    category->sendLookAndFeelChange();
    triggerAsyncUpdate();
}

void CategoriesContainer::clear()
{
    categories.clear();
}

void CategoriesContainer::setEditable (bool shouldBeEditable)
{
    if (editable == shouldBeEditable)
        return;

    editable = shouldBeEditable;

    for (auto* c : categories)
        c->refreshMoveButtons();
}

void CategoriesContainer::handleAsyncUpdate()
{
    resized();
}

void CategoriesContainer::resized()
{
    const int k = categories.size();

    if (k == 0)
        return;

    const int w = getWidth() / k;

    for (int i = 0; i < k; ++i)
        categories.getUnchecked (i)->setBounds (2 + i * w, 0, juce::jmax (0, w - 4), getHeight());

    auto* last = categories.getLast();

    if (last->getRight() < getWidth() - 2)
        last->setBounds (last->getX(), 0, getWidth() - 2 - last->getX(), getHeight());
}
