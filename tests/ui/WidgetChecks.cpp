#include "WidgetChecks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

namespace {

QString entry(const QWidget& widget, const QString& text)
{
    return widget.objectName() + ": " + text;
}

bool labelIsCut(const QLabel& label)
{
    if (label.wordWrap()) {
        return label.height() < label.heightForWidth(label.width());
    }
    return label.width() < label.sizeHint().width();
}

void addCutHeaderTitles(const QHeaderView& header, QStringList& cut)
{
    const QAbstractItemModel* model = header.model();
    if (!model || header.isHidden()) {
        return;
    }
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int section = 0; section < header.count(); ++section) {
        const QString title = model->headerData(section, header.orientation()).toString();
        const int needed = QFontMetrics(header.font()).horizontalAdvance(title) + 2 * margin;
        if (!title.isEmpty() && !header.isSectionHidden(section) &&
            header.sectionSize(section) < needed) {
            cut << entry(header, title);
        }
    }
}

QList<const QWidget*> withChildren(const QWidget& root)
{
    QList<const QWidget*> widgets{&root};
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        widgets << child;
    }
    return widgets;
}

// The texts a widget shows of its own (not those of its children).
QStringList ownTexts(const QWidget& widget)
{
    QStringList texts;
    if (widget.isWindow()) {
        texts << widget.windowTitle();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        texts << label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        if (!qobject_cast<const QDialogButtonBox*>(button->parentWidget())) {
            texts << button->text();
        }
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(&widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            texts << tabs->tabText(i);
        }
    } else if (const auto* table = qobject_cast<const QTableWidget*>(&widget)) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (const QTableWidgetItem* item = table->horizontalHeaderItem(column)) {
                texts << item->text() << item->toolTip();
            }
        }
    } else if (const auto* tree = qobject_cast<const QTreeWidget*>(&widget)) {
        for (int column = 0; column < tree->columnCount(); ++column) {
            texts << tree->headerItem()->text(column);
        }
    }
    return texts;
}

}  // namespace

void clickButton(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    const auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (QAbstractButton* button = box != nullptr ? box->button(which) : nullptr) {
        button->click();
    }
    if (dialog.isVisible()) {
        dialog.done(-1);
    }
}

DialogAnswers::DialogAnswers(Answer otherwise) : m_otherwise(std::move(otherwise))
{
    qApp->installEventFilter(this);
}

DialogAnswers::~DialogAnswers()
{
    qApp->removeEventFilter(this);
}

DialogAnswers& DialogAnswers::then(Answer answer)
{
    m_answers.push_back(std::move(answer));
    return *this;
}

bool DialogAnswers::eventFilter(QObject* watched, QEvent* event)
{
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || event->type() != QEvent::Show || !dialog->isModal()) {
        return false;
    }
    shown << QString::fromLatin1(dialog->metaObject()->className());
    Answer answer = m_otherwise ? m_otherwise : [](QDialog& unexpected) { unexpected.reject(); };
    if (!m_answers.empty()) {
        answer = std::move(m_answers.front());
        m_answers.pop_front();
    }
    const QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [guard, answer] {
        // The dialog fills itself in once it is up (a timer of its own): let that happen first.
        QCoreApplication::processEvents();
        if (guard && guard->isVisible()) {
            answer(*guard);
        }
        if (guard && guard->isVisible()) {
            guard->done(-1);
        }
    });
    return false;
}

void clickNamed(const QWidget& root, const char* objectName)
{
    if (auto* button = root.findChild<QAbstractButton*>(QLatin1String(objectName))) {
        button->click();
    }
}

QStringList cutTexts(const QWidget& root)
{
    QStringList cut;
    for (const QWidget* widget : withChildren(root)) {
        if (!widget->isVisible()) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (!label->text().isEmpty() && labelIsCut(*label)) {
                cut << entry(*label, label->text());
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty() && button->width() < button->sizeHint().width()) {
                cut << entry(*button, button->text());
            }
        } else if (const auto* header = qobject_cast<const QHeaderView*>(widget)) {
            if (header->orientation() == Qt::Horizontal) {
                addCutHeaderTitles(*header, cut);
            }
        }
    }
    return cut;
}

QString saveScreenshot(QWidget& widget, const QString& name)
{
    const QDir folder(QStringLiteral(KV_SCREENSHOT_DIR));
    if (!folder.mkpath(QStringLiteral("."))) {
        return QString();
    }
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    return widget.grab().save(path) ? path : QString();
}

ContextMarker::ContextMarker(const char* context) : m_context(QString::fromLatin1(context))
{
    QCoreApplication::installTranslator(this);
}

ContextMarker::~ContextMarker()
{
    QCoreApplication::removeTranslator(this);
}

QString ContextMarker::translate(const char* context, const char* sourceText, const char*,
                                 int) const
{
    return m_context == QLatin1String(context) ? marked(QString::fromUtf8(sourceText)) : QString();
}

QString ContextMarker::marked(const QString& text) const
{
    return '{' + m_context + '}' + text;
}

QStringList untranslatedTexts(const QWidget& root, const ContextMarker& marker,
                              const QStringList& data)
{
    QStringList untranslated;
    for (const QWidget* widget : withChildren(root)) {
        if (data.contains(widget->objectName())) {
            continue;
        }
        for (const QString& text : ownTexts(*widget)) {
            if (!text.isEmpty() && !text.startsWith(marker.marked(QString()))) {
                untranslated << entry(*widget, text);
            }
        }
    }
    return untranslated;
}
