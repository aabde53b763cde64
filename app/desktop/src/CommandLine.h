// CommandLine: the host's command line at the foot of the window: the lines run so far and what
// the commands printed, above the field in which the next command is typed. Enter hands the
// typed line over (entered) and empties the field; Up and Down bring back earlier lines.
#ifndef KV_COMMAND_LINE_H
#define KV_COMMAND_LINE_H

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

class CommandLine : public QWidget
{
    Q_OBJECT

public:
    explicit CommandLine(QWidget* parent = nullptr);

    // Adds a line to the history shown above the field.
    void print(const QString& line);
    // Everything shown so far, one line each.
    QString shownHistory() const;

signals:
    void entered(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enter();

    QPlainTextEdit* m_history;
    QLineEdit* m_input;
    QStringList m_typed;
    int m_recalled = 0;
};

#endif  // KV_COMMAND_LINE_H
