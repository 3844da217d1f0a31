#pragma once

#include <utility>

// The hook slot behind one of the program's dialogs or launchers. While the slot is empty the
// real dialog runs; tests install a hook that answers instead. Tag tells seams apart, so two
// seams never share a slot even when their hooks have the same type.
template <typename Tag, typename Hook>
class KzSeam {
public:
    // The installed hook; empty when none is.
    static const Hook& Installed() { return Slot(); }

    // Installs hook (an empty one restores the real dialog); returns the previous hook.
    static Hook Swap(Hook hook) {
        Hook previous = std::move(Slot());
        Slot() = std::move(hook);
        return previous;
    }

private:
    static Hook& Slot() {
        static Hook hook;
        return hook;
    }
};
