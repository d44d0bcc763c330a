#pragma once
// Type-ahead of the application grid and lists: characters typed in quick
// succession make one search text; after a pause the next character starts a
// new one. A search that grows looks from the current row on (the row that
// matched may still match), a new one from the row after it, wrapping round.

#include <QElapsedTimer>
#include <QString>

#include <functional>

namespace quoddle {

class TypeAhead {
public:
    // The pause after which typing starts a new search; 0: every character does.
    void setResetDelay(int milliseconds) { resetDelay_ = milliseconds; }
    int resetDelay() const { return resetDelay_; }

    // Adds what was typed; returns the row to select among `rowCount` rows,
    // or -1 when none holds the search text. `holds(row, text)` tells whether
    // a row matches; `current` is the selected row (-1 for none).
    int find(const QString& typed, int current, int rowCount, const std::function<bool(int, const QString&)>& holds)
    {
        const bool grows = resetDelay_ > 0 && clock_.isValid() && !clock_.hasExpired(resetDelay_) && !text_.isEmpty();
        text_ = grows ? text_ + typed : typed;
        clock_.start();
        if (rowCount <= 0 || text_.isEmpty())
            return -1;
        const int start = current < 0 ? 0 : (grows ? current : current + 1);
        for (int step = 0; step < rowCount; ++step) {
            const int row = (start + step) % rowCount;
            if (holds(row, text_))
                return row;
        }
        return -1;
    }

    QString text() const { return text_; }
    void reset() { text_.clear(); }

private:
    QString text_;
    QElapsedTimer clock_;
    int resetDelay_ = 700;
};

} // namespace quoddle
