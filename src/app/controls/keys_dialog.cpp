#include "app/controls/keys_dialog.h"

#include "app/controls/key_table.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace sw {

KeysDialog::KeysDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"frmKeys"_s);
    setWindowTitle(u"Keys"_s);

    const QList<KeyRow> rows = keyTable();
    auto* table = new QTableWidget(int(rows.size()), 3, this);
    table->setObjectName(u"tblKeys"_s);
    table->setHorizontalHeaderLabels({u"Key"_s, u"Where"_s, u"What it does"_s});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(true);
    for (int row = 0; row < rows.size(); ++row) {
        const KeyRow& key = rows[row];
        for (const auto& [column, text] : {std::pair{0, key.keys}, {1, key.where}, {2, key.what}})
            table->setItem(row, column, new QTableWidgetItem(text));
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, fontMetrics().horizontalAdvance(u"Ctrl+Shift+S, Ctrl+Shift+Z"_s));
    table->setColumnWidth(1, fontMetrics().horizontalAdvance(u"a panel's field or drop-down"_s));
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 44);
}

} // namespace sw
