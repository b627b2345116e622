#pragma once

#include "KelvoraDialog.h"

#include <QStringList>
#include <QVariantList>

class QPushButton;
class QVBoxLayout;

namespace kelvora {

class CatalogEditor;
class Recordset;
class ReportList;

// The list half of the catalogue windows: every record of one table in a report-style list, with
// New, Edit and Delete through the table's editor. What differs between the catalogues is data
// (Config) and a few small overrides.
class CatalogList : public KelvoraDialog {
    Q_OBJECT
public:
    // When Edit or Delete refuse to run.
    enum class Refusal { NoneSelected, ListEmpty };
    struct Config {
        QString objectName;
        QString caption;
        int helpContextId = 0;
        QStringList headers;
        QList<int> numericColumns;
        QString listCommand;
        QString singleCommand;
        Refusal editRefusal = Refusal::NoneSelected;
        Refusal deleteRefusal = Refusal::ListEmpty;
    };

    ReportList* lvwList;
    QPushButton* btnNew;
    QPushButton* btnEdit;
    QPushButton* btnDelete;
    QPushButton* btnHelp;

    // Fills the list and, when `name` is not empty, selects the first item of that whole text and
    // scrolls it into view.
    void RefreshList(const QString& name);

protected:
    // `editor` is the table's editor, which the main window owns.
    CatalogList(QWidget* parent, Config config, CatalogEditor& editor);

    // Opens the editor for `recordId` (0 for a new record); returns whether it stored a record, and
    // then the name it stored under.
    virtual bool runEditor(qint32 recordId, QString& savedName);
    // The parameters of the list command.
    virtual QVariantList listParams() const { return {}; }
    // Adds the item of the current row.
    virtual void addItem(const Recordset& rs);
    // Whether the list may be filled at all (a filter may still be unset).
    virtual bool canList() const { return true; }

    // Space above the list for a filter of the subclass.
    QVBoxLayout* topArea() const { return m_top; }

    void load() override;

private:
    void onNew();
    void onEdit();
    void onDelete();
    bool refuses(Refusal refusal) const;

    Config m_config;
    CatalogEditor& m_editor;
    QVBoxLayout* m_top;
};

} // namespace kelvora
