#include "HelpViewer.h"

#include "ScreenFit.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int TargetRole = Qt::UserRole;

// Reports inside the topic pane travel as pages of their own scheme, so they take their place in
// the back and forward history like any topic.
constexpr auto MessageScheme = "kelvora-message";

class TopicBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() != QLatin1StringView(MessageScheme))
            return QTextBrowser::loadResource(type, name);
        return u"<html><head><title>Kelvora Help</title></head><body>"
               "<h1 style=\"font-size: large; color: #1f3f7f;\">Kelvora Help</h1><p>%1</p></body></html>"_s
                   .arg(name.path(QUrl::FullyDecoded).toHtmlEscaped());
    }
};

bool parseTree(const QJsonArray& nodes, std::vector<HelpMap::TreeNode>& into, QString& error) {
    for (const QJsonValue& value : nodes) {
        const QJsonObject node = value.toObject();
        HelpMap::TreeNode item{node.value(u"title"_s).toString(), node.value(u"topic"_s).toString(), {}};
        if (item.title.isEmpty()) {
            error = u"a contents entry without a title"_s;
            return false;
        }
        if (!parseTree(node.value(u"children"_s).toArray(), item.children, error))
            return false;
        into.push_back(std::move(item));
    }
    return true;
}

} // namespace

std::optional<HelpMap> HelpMap::load(const QString& helpFolder, QString* error) {
    QString reason;
    const auto fail = [&] {
        if (error)
            *error = reason;
        return std::optional<HelpMap>();
    };
    QFile file(QDir(helpFolder).filePath(QLatin1StringView(FileName)));
    if (!file.open(QIODevice::ReadOnly)) {
        reason = u"cannot read %1"_s.arg(file.fileName());
        return fail();
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        reason = u"%1 at offset %2"_s.arg(parseError.errorString()).arg(parseError.offset);
        return fail();
    }
    const QJsonObject root = document.object();

    HelpMap map;
    map.contentsFile = root.value(u"contents"_s).toString();
    if (map.contentsFile.isEmpty()) {
        reason = u"no contents page"_s;
        return fail();
    }
    for (const QJsonValue& value : root.value(u"topics"_s).toArray()) {
        const QJsonObject topic = value.toObject();
        const int number = topic.value(u"context"_s).toInt(-1);
        const QString topicFile = topic.value(u"file"_s).toString();
        if (number <= 0 || topicFile.isEmpty()) {
            reason = u"a topic without a context number or a file"_s;
            return fail();
        }
        if (!map.topics.emplace(number, topicFile).second) {
            reason = u"context %1 has two topics"_s.arg(number);
            return fail();
        }
    }
    if (!parseTree(root.value(u"tree"_s).toArray(), map.tree, reason))
        return fail();
    for (const QJsonValue& value : root.value(u"index"_s).toArray()) {
        const QJsonObject entry = value.toObject();
        IndexEntry item{entry.value(u"keyword"_s).toString(), entry.value(u"topic"_s).toString()};
        if (item.keyword.isEmpty() || item.target.isEmpty()) {
            reason = u"an index entry without a keyword or a topic"_s;
            return fail();
        }
        map.index.push_back(std::move(item));
    }
    return map;
}

QString HelpMap::topicFile(int contextNumber) const {
    const auto found = topics.find(contextNumber);
    return found == topics.end() ? QString() : found->second;
}

void HelpViewer::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        fitOnScreen(*this, size());
}

HelpViewer::HelpViewer(const QString& helpFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_folder(QFileInfo(helpFolder).absoluteFilePath()) {
    setObjectName(u"HelpViewer"_s);
    setWindowTitle(u"Kelvora Help"_s);
    // Help left open must not keep the program running once the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);

    btnBack = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), u"&Back"_s, this);
    btnBack->setObjectName(u"btnBack"_s);
    btnForward = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), u"&Forward"_s, this);
    btnForward->setObjectName(u"btnForward"_s);
    btnContents = new QPushButton(u"&Contents"_s, this);
    btnContents->setObjectName(u"btnContents"_s);
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);

    tvwContents = new QTreeWidget(this);
    tvwContents->setObjectName(u"tvwContents"_s);
    tvwContents->setHeaderHidden(true);
    tvwContents->setColumnCount(1);

    auto* indexPage = new QWidget(this);
    indexPage->setObjectName(u"pageIndex"_s);
    txtIndexFilter = new QLineEdit(indexPage);
    txtIndexFilter->setObjectName(u"txtIndexFilter"_s);
    txtIndexFilter->setPlaceholderText(u"Type a keyword"_s);
    txtIndexFilter->setClearButtonEnabled(true);
    lstIndex = new QListWidget(indexPage);
    lstIndex->setObjectName(u"lstIndex"_s);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    indexLayout->addWidget(txtIndexFilter);
    indexLayout->addWidget(lstIndex);

    tabPanes = new QTabWidget(this);
    tabPanes->setObjectName(u"tabPanes"_s);
    tabPanes->addTab(tvwContents, u"Contents"_s);
    tabPanes->addTab(indexPage, u"Index"_s);

    brwTopic = new TopicBrowser(this);
    brwTopic->setObjectName(u"brwTopic"_s);
    brwTopic->setSearchPaths({m_folder});
    // Links are followed here so that a broken one is reported like a missing topic and a link
    // out of the help goes to the desktop's browser instead of a blank pane.
    brwTopic->setOpenLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tabPanes);
    splitter->addWidget(brwTopic);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 560});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addWidget(btnContents);
    buttons->addStretch();
    // A window of its own, as screen readers and task bars see it; Esc puts it away as in any
    // dialog of the program.
    auto* page = new QWidget(this);
    setCentralWidget(page);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(800, 580);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    tvwContents->setAccessibleName(u"Contents"_s);
    txtIndexFilter->setAccessibleName(u"Index keyword"_s);
    lstIndex->setAccessibleName(u"Index"_s);
    brwTopic->setAccessibleName(u"Topic"_s);

    connect(btnBack, &QPushButton::clicked, brwTopic, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, brwTopic, &QTextBrowser::forward);
    connect(btnContents, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(brwTopic, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    connect(brwTopic, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
    connect(brwTopic, &QTextBrowser::sourceChanged, this, &HelpViewer::selectTreeItemOf);
    connect(brwTopic, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl url = brwTopic->source().resolved(link);
        if (!url.isLocalFile())
            QDesktopServices::openUrl(url);
        else if (QFileInfo(url.toLocalFile()).isFile())
            brwTopic->setSource(url);
        else
            showFilesMissing();
    });
    connect(tvwContents, &QTreeWidget::itemClicked, this, &HelpViewer::openTreeItem);
    connect(tvwContents, &QTreeWidget::itemActivated, this, &HelpViewer::openTreeItem);
    connect(txtIndexFilter, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
    connect(txtIndexFilter, &QLineEdit::returnPressed, this,
            [this] { openIndexItem(lstIndex->currentItem()); });
    connect(lstIndex, &QListWidget::itemClicked, this, &HelpViewer::openIndexItem);
    connect(lstIndex, &QListWidget::itemActivated, this, &HelpViewer::openIndexItem);

    ensureMap();
}

void HelpViewer::showTopic(int contextNumber) {
    if (!ensureMap()) {
        showFilesMissing();
        return;
    }
    const QString file = m_map->topicFile(contextNumber);
    if (file.isEmpty())
        showMessage(u"No help topic is available for this window (context %1)."_s.arg(contextNumber));
    else
        openTarget(file);
}

void HelpViewer::showContents() {
    tabPanes->setCurrentWidget(tvwContents);
    if (ensureMap())
        openTarget(m_map->contentsFile);
    else
        showFilesMissing();
}

bool HelpViewer::ensureMap() {
    if (!m_map) {
        m_map = HelpMap::load(m_folder);
        buildContents();
        buildIndex();
    }
    return m_map.has_value();
}

void HelpViewer::buildContents() {
    tvwContents->clear();
    if (!m_map)
        return;
    const auto add = [](const auto& self, QTreeWidgetItem* item, const HelpMap::TreeNode& node) -> void {
        item->setText(0, node.title);
        item->setData(0, TargetRole, node.target);
        for (const HelpMap::TreeNode& child : node.children)
            self(self, new QTreeWidgetItem(item), child);
    };
    for (const HelpMap::TreeNode& node : m_map->tree)
        add(add, new QTreeWidgetItem(tvwContents), node);
    tvwContents->expandAll();
}

void HelpViewer::buildIndex() {
    lstIndex->clear();
    if (!m_map)
        return;
    std::vector<HelpMap::IndexEntry> entries = m_map->index;
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.keyword.compare(b.keyword, Qt::CaseInsensitive) < 0;
    });
    for (const HelpMap::IndexEntry& entry : entries) {
        auto* item = new QListWidgetItem(entry.keyword, lstIndex);
        item->setData(TargetRole, entry.target);
    }
    filterIndex(txtIndexFilter->text());
}

void HelpViewer::filterIndex(const QString& text) {
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < lstIndex->count(); ++row) {
        QListWidgetItem* item = lstIndex->item(row);
        const bool matches = item->text().contains(text.trimmed(), Qt::CaseInsensitive);
        item->setHidden(!matches);
        if (matches && !first)
            first = item;
    }
    lstIndex->setCurrentItem(first);
}

void HelpViewer::openIndexItem(QListWidgetItem* item) {
    if (item && !item->isHidden())
        openTarget(item->data(TargetRole).toString());
}

void HelpViewer::openTreeItem(QTreeWidgetItem* item) {
    const QString target = item ? item->data(0, TargetRole).toString() : QString();
    if (!target.isEmpty())
        openTarget(target);
}

void HelpViewer::openTarget(const QString& target) {
    const QUrl url = urlOf(target);
    if (QFileInfo(url.toLocalFile()).isFile())
        brwTopic->setSource(url);
    else
        showFilesMissing();
}

void HelpViewer::showMessage(const QString& text) {
    QUrl page;
    page.setScheme(QLatin1StringView(MessageScheme));
    page.setPath(text, QUrl::DecodedMode);
    brwTopic->setSource(page);
}

void HelpViewer::showFilesMissing() {
    showMessage(u"The help files were not found in %1. Reinstall Kelvora to restore them."_s.arg(
        QDir::toNativeSeparators(m_folder)));
}

void HelpViewer::selectTreeItemOf(const QUrl& source) {
    // The entry of the very section shown, else the first entry of its page, else none.
    const QSignalBlocker quiet(tvwContents);
    QTreeWidgetItem* sectionEntry = nullptr;
    QTreeWidgetItem* pageEntry = nullptr;
    const QUrl page = source.adjusted(QUrl::RemoveFragment);
    for (QTreeWidgetItemIterator it(tvwContents); *it && !sectionEntry && source.isLocalFile(); ++it) {
        const QString target = (*it)->data(0, TargetRole).toString();
        if (target.isEmpty())
            continue;
        const QUrl entry = urlOf(target);
        if (entry == source)
            sectionEntry = *it;
        else if (!pageEntry && entry.adjusted(QUrl::RemoveFragment) == page)
            pageEntry = *it;
    }
    tvwContents->setCurrentItem(sectionEntry ? sectionEntry : pageEntry);
}

QUrl HelpViewer::urlOf(const QString& target) const {
    const qsizetype hash = target.indexOf(u'#');
    QUrl url = QUrl::fromLocalFile(QDir(m_folder).filePath(target.left(hash)));
    if (hash >= 0)
        url.setFragment(target.mid(hash + 1));
    return url;
}

} // namespace kelvora
