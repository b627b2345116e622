#pragma once

#include <QMainWindow>
#include <QString>

#include <map>
#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace kelvora {

// The map of the help folder, read from kelvora-help.json: which topic file each context number
// opens, the contents tree and the index. It is the one place where a number meets a file, so the
// topics can be renamed or regrouped without touching the program. Files are relative to the help
// folder; tree and index targets may carry an #anchor.
struct HelpMap {
    struct TreeNode {
        QString title;
        QString target; // empty for a book that only groups its children
        std::vector<TreeNode> children;
    };
    struct IndexEntry {
        QString keyword;
        QString target;
    };

    static constexpr auto FileName = "kelvora-help.json";

    // The map of `helpFolder`; nothing when the file is missing or not a well-formed map, with the
    // reason in `error` when one is asked for.
    static std::optional<HelpMap> load(const QString& helpFolder, QString* error = nullptr);

    // The topic file of a context number; empty when the number has none.
    QString topicFile(int contextNumber) const;

    QString contentsFile;
    std::map<int, QString> topics;
    std::vector<TreeNode> tree;
    std::vector<IndexEntry> index;
};

// The help window: a contents tree and an index beside the topic, with back, forward and contents.
// It reads the HTML topics of one help folder; whatever is missing there is reported in the topic
// pane, since a help request never shows a message box of its own.
class HelpViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpViewer(const QString& helpFolder, QWidget* parent = nullptr);

    const QString& helpFolder() const { return m_folder; }

    // Shows the topic of a window's context number.
    void showTopic(int contextNumber);
    // Shows the contents page with the contents tree in front.
    void showContents();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads the map when it has not been read yet, so a help folder restored while the program runs
    // is found at the next request.
    bool ensureMap();
    void buildContents();
    void buildIndex();
    void filterIndex(const QString& text);
    void openIndexItem(QListWidgetItem* item);
    void openTreeItem(QTreeWidgetItem* item);
    // Opens a file of the help folder, with an optional #anchor; a missing file is reported instead.
    void openTarget(const QString& target);
    void showMessage(const QString& text);
    void showFilesMissing();
    void selectTreeItemOf(const QUrl& source);
    QUrl urlOf(const QString& target) const;

    QString m_folder;
    std::optional<HelpMap> m_map;
    QTabWidget* tabPanes;
    QTreeWidget* tvwContents;
    QLineEdit* txtIndexFilter;
    QListWidget* lstIndex;
    QTextBrowser* brwTopic;
    QPushButton* btnBack;
    QPushButton* btnForward;
    QPushButton* btnContents;
};

} // namespace kelvora
