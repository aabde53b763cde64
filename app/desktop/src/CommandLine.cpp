#include "CommandLine.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// Enough lines to see what the last commands said.
const int kShownLines = 4;

}  // namespace

CommandLine::CommandLine(QWidget* parent)
    : QWidget(parent), m_history(new QPlainTextEdit(this)), m_input(new QLineEdit(this))
{
    m_history->setObjectName(QStringLiteral("CommandHistory"));
    m_history->setReadOnly(true);
    m_history->setFocusPolicy(Qt::ClickFocus);
    m_history->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_history->setMaximumBlockCount(1000);
    const int lineHeight = m_history->fontMetrics().lineSpacing();
    m_history->setFixedHeight(kShownLines * lineHeight + 2 * m_history->frameWidth() +
                              static_cast<int>(2 * m_history->document()->documentMargin()));
    m_input->setObjectName(QStringLiteral("CommandInput"));
    m_input->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_input->installEventFilter(this);

    auto* prompt = new QLabel(tr("Command:"), this);
    prompt->setObjectName(QStringLiteral("CommandPrompt"));
    prompt->setBuddy(m_input);
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(prompt);
    inputRow->addWidget(m_input, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_history);
    layout->addLayout(inputRow);

    connect(m_input, &QLineEdit::returnPressed, this, &CommandLine::enter);
}

void CommandLine::print(const QString& line)
{
    m_history->appendPlainText(line);
}

QString CommandLine::shownHistory() const
{
    return m_history->toPlainText();
}

void CommandLine::enter()
{
    const QString line = m_input->text().trimmed();
    m_input->clear();
    if (line.isEmpty()) {
        return;
    }
    m_typed << line;
    m_recalled = m_typed.size();
    emit entered(line);
}

bool CommandLine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && !m_typed.isEmpty()) {
            m_recalled = qBound(0, m_recalled + (key == Qt::Key_Up ? -1 : 1), m_typed.size());
            m_input->setText(m_recalled < m_typed.size() ? m_typed.at(m_recalled) : QString());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
