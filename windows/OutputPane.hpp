#pragma once
// The main window's output pane: the lines that adb printed in the last run,
// and the rules by which every operation reads them.
//   - the line count is the number of captured lines;
//   - line i is captured line i, at most its first 4096 characters;
//   - any other index, negative ones included, reads as empty text;
//   - the whole text is every line followed by CR LF.
// The pane is never shown; its text control is filled only if it ever is.

#include <QPlainTextEdit>
#include <QStringList>

#include <string>
#include <vector>

namespace quoddle {

class OutputPane : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLineLength = 4096;

    explicit OutputPane(QWidget* parent = nullptr);

    // The runner's UTF-8 lines as text, converted once.
    static QStringList FromUtf8Lines(const std::vector<std::string>& lines);

    void setLines(const std::vector<std::string>& lines);
    int lineCount() const { return static_cast<int>(lines_.size()); }
    QString line(int index) const;
    // Every line as line() reads it.
    QStringList lines() const;
    QString text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QStringList lines_;
    bool documentStale_ = false;
};

} // namespace quoddle
