#include "desktop/services/help.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

#include "desktop/app/app_globals.h"

QString HelpFilePath() {
    const QString name = QString::fromStdString(g_appConfig.helpFile) + QStringLiteral(".html");
    // Beside the executable first, where the build and the installation put the pages; the
    // current folder too, where a user may keep edited pages.
    for (const QString& folder : {QCoreApplication::applicationDirPath(), QDir::currentPath()}) {
        const QFileInfo info(QDir(folder), name);
        if (info.isFile()) return info.absoluteFilePath();
    }
    return {};
}

QUrl HelpUrl(int context) {
    const QString path = HelpFilePath();
    if (path.isEmpty()) return {};
    QUrl url = QUrl::fromLocalFile(path);
    if (context != 0) url.setFragment(QString::number(context));
    return url;
}

void ShowHelp(int context) {
    const QUrl url = HelpUrl(context);
    if (url.isValid()) OpenUrl(url);
}

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kControlIdProperty, id);
    widget->setObjectName(QString::number(id));
}

int ControlIdOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kControlIdProperty);
        if (id.isValid()) return id.toInt();
        if (widget->isWindow()) break;
    }
    return 0;
}

void InstallDialogHelp(QWidget* dialog, int fixedContext) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(f1, &QShortcut::activated, dialog, [dialog, fixedContext] {
        if (fixedContext != 0) return ShowHelp(fixedContext);
        QWidget* focus = QApplication::focusWidget();
        ShowHelp(dialog->isAncestorOf(focus) ? ControlIdOf(focus) : 0);
    });
}
