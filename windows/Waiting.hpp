#pragma once
// Runs and waits stay on the window thread, in order, but the windows keep
// painting: while one is under way events are processed, except that user
// input reaching a widget is held back and delivered afterwards, in order,
// once no run, wait or modal box is under way, as if the thread had been
// blocked meanwhile. The wait cursor shows meanwhile.

namespace quoddle {

// Marks a run or wait as under way for its lifetime (nests).
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

bool IsBusy();

// Processes pending events; user input is held back (see above).
void ProcessEventsExceptInput();

// Waits `milliseconds` the same way.
void WaitPainting(unsigned milliseconds);

} // namespace quoddle
