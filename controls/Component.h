#pragma once
// What every control of the library shares beside its Qt base class: a free Tag, the Loaded() step of
// building a window, and the owner-draw rule.
//
// A window builds a control in code in this order: construct it, set its properties (or read its
// property stream), then call Loaded() once. Until then Loading() is true. An override of Loaded()
// calls the base class's Loaded() first and then does its own work.

#include <cstdint>
#include <functional>
#include <utility>

class LoadedComponent {
public:
    virtual ~LoadedComponent() = default;

    // A value the window keeps with the control; the control never reads it.
    int32_t Tag = 0;

    virtual void Loaded() { FLoading = false; }
    bool Loading() const { return FLoading; }

private:
    bool FLoading = true;
};

// The owner-draw rule: DefaultDrawing starts true exactly when no handler is set; a set handler is run
// through call(DefaultDrawing) and may switch it on. The default is drawn only when the answer is true.
//   if (ownerDrawDefault(OnDrawItem, [&](bool &dd) { OnDrawItem(this, index, rect, state, dd); }))
//       DefaultDrawItem(...);
template <typename Signature, typename Call>
bool ownerDrawDefault(const std::function<Signature> &handler, Call &&call)
{
    bool DefaultDrawing = !handler;
    if (handler)
        std::forward<Call>(call)(DefaultDrawing);
    return DefaultDrawing;
}
