#include "desktop/channels/compare_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowRole = Qt::UserRole;
constexpr int kColRole = Qt::UserRole + 1;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString Shown(const std::string& text) {
    return text.empty() ? CComparePanel::tr("(empty)") : Utf8(text);
}

}  // namespace

CComparePanel::CComparePanel(radio::Language lang, QWidget* parent) : QFrame(parent), m_lang(lang) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_title = new QLabel(this);
    m_title->setWordWrap(true);
    m_title->setTextFormat(Qt::PlainText);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int row = item->data(0, kRowRole).toInt();
        if (row > 0) emit CellRequested(row, item->data(0, kColRole).toInt());
    });
    const auto select = [this](QTreeWidgetItem* item) {
        const int row = item ? item->data(0, kRowRole).toInt() : 0;
        if (row > 0) emit CellSelected(row, item->data(0, kColRole).toInt());
    };
    connect(m_list, &QTreeWidget::itemClicked, this, select);
    // Only the user's moves: refilling the list also sets its current line.
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this, select](QTreeWidgetItem* item) {
        if (m_list->hasFocus()) select(item);
    });

    m_btnClose = new QPushButton(Utf8(radio::Pick(lang, "&End Comparison", "结束比较(&E)")), this);
    m_btnClose->setAutoDefault(false);
    m_list->setAccessibleName(Utf8(radio::Pick(lang, "Differences", "差别")));
    connect(m_btnClose, &QPushButton::clicked, this, &CComparePanel::CloseRequested);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_title);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_btnClose, 0, Qt::AlignRight);
}

void CComparePanel::SetDifferences(const std::vector<radio::ImageDifference>& differences,
                                   const QString& otherName) {
    const bool zh = m_lang == radio::Language::Chinese;
    m_list->setHeaderLabels({Utf8(radio::Pick(m_lang, "CH", "信道")),
                             Utf8(radio::Pick(m_lang, "Field", "项目")),
                             Utf8(radio::Pick(m_lang, "This document", "本文档")), otherName});
    const QString count = differences.empty()
                              ? Utf8(radio::Pick(m_lang, "no differences", "没有差别"))
                              : (zh                        ? QStringLiteral("%1 处差别")
                                 : differences.size() == 1 ? tr("%1 difference")
                                                           : tr("%1 differences"))
                                    .arg(differences.size());
    m_title->setText(Utf8(radio::Pick(m_lang, "Compared with ", "比较对象: ")) + otherName +
                     QStringLiteral("\n") + count);

    m_list->clear();
    for (const radio::ImageDifference& d : differences) {
        QString where;
        switch (d.area) {
            case radio::DiffArea::Channel:
            case radio::DiffArea::Bytes:
                where = d.record >= 0 ? Utf8(radio::ChannelLabel(d.record)) : QString();
                break;
            case radio::DiffArea::Option:
                where = Utf8(radio::Pick(m_lang, "option", "选项"));
                break;
            case radio::DiffArea::Band:
                where = Utf8(radio::Pick(m_lang, "band", "频段"));
                break;
        }
        auto* item =
            new QTreeWidgetItem(m_list, {where, Utf8(d.field), Shown(d.before), Shown(d.after)});
        item->setData(0, kRowRole, d.record >= 0 ? d.record + 1 : 0);
        item->setData(0, kColRole, d.column);
        item->setToolTip(1, Utf8(radio::FormatDifference(d)));
    }
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
}
