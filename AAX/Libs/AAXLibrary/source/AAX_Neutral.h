#pragma once

// Sets each given out-value to its type's zero (0, false, null), skipping null pointers;
// what a wrapper leaves behind when the host cannot answer.
template <typename... Values>
void AAX_SetNeutral (Values*... outValues)
{
    ((outValues != nullptr ? (void) (*outValues = Values {}) : (void) 0), ...);
}
