#include <CKvMessageBox.h>

#include <deque>

namespace {

std::deque<QMessageBox::StandardButton> g_script;
std::vector<CKvMessageBox::Shown> g_shown;

}  // namespace

QMessageBox::StandardButton CKvMessageBox::warning(QWidget* parent, const QString& title,
                                                   const QString& text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton)
{
    if (!g_script.empty()) {
        const QMessageBox::StandardButton answer = g_script.front();
        g_script.pop_front();
        g_shown.push_back(Shown{QMessageBox::Warning, title, text, buttons});
        return answer;
    }
    return QMessageBox::warning(parent, title, text, buttons, defaultButton);
}

void CKvMessageBox::scriptAnswer(QMessageBox::StandardButton answer)
{
    g_script.push_back(answer);
}

int CKvMessageBox::scriptedAnswersLeft()
{
    return static_cast<int>(g_script.size());
}

void CKvMessageBox::clearScript()
{
    g_script.clear();
    g_shown.clear();
}

std::vector<CKvMessageBox::Shown> CKvMessageBox::takeShown()
{
    std::vector<Shown> shown;
    shown.swap(g_shown);
    return shown;
}
