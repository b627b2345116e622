#include "ReportPages.h"

#include <QApplication>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int Dpi = 300;
constexpr double Millimetre = Dpi / 25.4;
constexpr double Margin = 20 * Millimetre;
constexpr double CellPaddingX = 1.2 * Millimetre;
constexpr double CellPaddingY = 0.7 * Millimetre;
// Any letter spacing makes Qt leave ligatures out where a script does not need them, so that "ff"
// stays two letters that a search for a word finds. A twentieth of a dot is too little to see.
constexpr double LigatureBreakingSpacing = 0.05;

QFont reportFont(double points, bool bold) {
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, LigatureBreakingSpacing);
    return font;
}

// A font with its metrics on the PDF, measured once.
struct Style {
    Style(double points, bool bold, QPaintDevice* device)
        : font(reportFont(points, bold)), metrics(font, device) {}
    QFont font;
    QFontMetricsF metrics;
};

// The word cut into pieces no wider than `width`; a word that fits is its only piece.
QStringList piecesOfWord(const QFontMetricsF& fm, QString word, double width) {
    QStringList pieces;
    while (word.size() > 1 && fm.horizontalAdvance(word) > width) {
        qsizetype fits = word.size() - 1;
        while (fits > 1 && fm.horizontalAdvance(word.left(fits)) > width)
            --fits;
        pieces << word.left(fits);
        word = word.mid(fits);
    }
    return pieces << word;
}

// The text broken into lines no wider than `width`: at blanks, and inside a word only where the
// word alone is wider.
QStringList wrap(const QFontMetricsF& fm, const QString& text, double width) {
    if (!text.contains(u'\n') && fm.horizontalAdvance(text) <= width)
        return {text};
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            for (const QString& piece : piecesOfWord(fm, word, width)) {
                const QString longer = line.isEmpty() ? piece : line + u' ' + piece;
                if (line.isEmpty() || fm.horizontalAdvance(longer) <= width) {
                    line = longer;
                    continue;
                }
                lines << line;
                line = piece;
            }
        }
        lines << line;
    }
    return lines;
}

// One piece of the page, laid out: its height, the space it wants above it (dropped at the top of
// a page), and how to paint it at a given top.
struct Piece {
    double space = 0;
    double height = 0;
    std::function<void(double top)> paint;
    bool keepWithNext = false;
    int header = -1;  // a table row: the index of its table's header row, repeated after a page break
    int tableEnd = 0; // a table's header row: one past the table's last row
};

// Lays the blocks out and paints them, page after page.
class Renderer {
public:
    Renderer(QPdfWriter& writer, const std::vector<ReportPages::Block>& blocks)
        : m_writer(writer), m_blocks(blocks), m_body(9, false, &writer), m_bold(9, true, &writer),
          m_title(16, true, &writer), m_heading(12, true, &writer), m_subheading(9.5, true, &writer) {
        const QRectF page = writer.pageLayout().fullRectPixels(Dpi);
        m_left = Margin;
        m_width = page.width() - 2 * Margin;
        m_top = Margin;
        m_bottom = page.height() - Margin;
        m_pageHeight = page.height();
    }

    void run() {
        m_painter.begin(&m_writer);
        m_y = m_top;
        measureTables();
        paintPieces(piecesOf(m_blocks));
        pageNumber();
        m_painter.end();
    }

private:
    // The widest text of each column over every table of its kind; numbers keep theirs, the text
    // columns share what is left of the width in proportion to theirs.
    void measureTables() {
        std::map<QString, std::vector<double>> natural;
        std::map<QString, std::vector<ReportPages::Column>> columns;
        for (const ReportPages::Block& block : m_blocks) {
            if (block.kind != ReportPages::Block::Kind::Table)
                continue;
            auto& widths = natural[block.tableKind];
            widths.resize(block.columns.size(), 0);
            columns[block.tableKind] = block.columns;
            // Each cell is measured once; painting reuses the widths.
            const auto widen = [&](const void* key, const QStringList& cells, const Style& style) {
                std::vector<double>& measured = m_cellWidths[key];
                for (qsizetype c = 0; c < cells.size() && std::size_t(c) < widths.size(); ++c) {
                    measured.push_back(style.metrics.horizontalAdvance(cells[c]));
                    widths[std::size_t(c)] = std::max(widths[std::size_t(c)], measured.back());
                }
            };
            widen(&block.columns, titlesOf(block), m_bold);
            for (const QStringList& row : block.rows)
                widen(&row, row, m_body);
            widen(&block.totals, block.totals, m_bold);
        }
        for (auto& [kind, widths] : natural) {
            const auto& cols = columns[kind];
            double fixed = 0;
            double texts = 0;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                widths[c] += 2 * CellPaddingX;
                (cols[c].kind == ReportPages::Column::Kind::Text ? texts : fixed) += widths[c];
            }
            // A table of numbers alone spreads them over the width, as wide as the tables of text.
            const bool textless = texts <= 0;
            const double share =
                textless ? std::max(1.0, m_width / fixed) : std::max(0.0, m_width - fixed) / texts;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                if (textless || cols[c].kind == ReportPages::Column::Kind::Text)
                    widths[c] *= share;
            }
            m_columnWidths[kind] = widths;
        }
    }

    Piece textPiece(const QString& text, const Style& style, double space, bool keepWithNext) const {
        const QStringList lines = wrap(style.metrics, text, m_width);
        const double height = lines.size() * style.metrics.lineSpacing();
        return {space, height,
                [this, lines, &style](double top) {
                    m_painter.setFont(style.font);
                    const QFontMetricsF& fm = style.metrics;
                    for (qsizetype i = 0; i < lines.size(); ++i)
                        m_painter.drawText(QPointF(m_left, top + fm.ascent() + i * fm.lineSpacing()),
                                           lines[i]);
                },
                keepWithNext};
    }

    // A paragraph of bold and plain runs, wrapped word by word; each line is painted as a few
    // strings, one per change of weight.
    Piece paragraphPiece(const std::vector<ReportPages::Run>& runs) const {
        struct Segment {
            double x;
            QString text;
            bool bold;
        };
        std::vector<std::vector<Segment>> lines(1);
        double x = 0;
        for (const ReportPages::Run& run : runs) {
            const QFontMetricsF& fm = (run.bold ? m_bold : m_body).metrics;
            QStringList words;
            for (const QString& word : run.text.split(u' '))
                words << piecesOfWord(fm, word, m_width);
            for (qsizetype w = 0; w < words.size(); ++w) {
                const QString word = w + 1 < words.size() ? words[w] + u' ' : words[w];
                const double advance = fm.horizontalAdvance(word);
                if (x + fm.horizontalAdvance(word.trimmed()) > m_width && x > 0) {
                    lines.emplace_back();
                    x = 0;
                }
                std::vector<Segment>& line = lines.back();
                if (!line.empty() && line.back().bold == run.bold)
                    line.back().text += word;
                else
                    line.push_back({x, word, run.bold});
                x += advance;
            }
        }
        const double step = m_body.metrics.lineSpacing();
        return {1.5 * Millimetre, double(lines.size()) * step, [this, lines, step](double top) {
                    const double ascent = m_body.metrics.ascent();
                    for (std::size_t i = 0; i < lines.size(); ++i) {
                        for (const Segment& segment : lines[i]) {
                            m_painter.setFont((segment.bold ? m_bold : m_body).font);
                            m_painter.drawText(QPointF(m_left + segment.x, top + ascent + double(i) * step),
                                               segment.text);
                        }
                    }
                }};
    }

    static QStringList titlesOf(const ReportPages::Block& table) {
        QStringList titles;
        for (const ReportPages::Column& column : table.columns)
            titles << column.title;
        return titles;
    }

    // `key` names the measured widths of the cells (see measureTables).
    Piece rowPiece(const std::vector<double>& widths, const std::vector<ReportPages::Column>& columns,
                   const QStringList& cells, const void* key, bool bold, bool shaded) const {
        const Style& style = bold ? m_bold : m_body;
        const std::vector<double>& measured = m_cellWidths.at(key);
        std::vector<QStringList> wrapped;
        std::size_t lines = 1;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QString cell = cells.value(qsizetype(c));
            const bool fits = c < measured.size() && measured[c] <= widths[c] - 2 * CellPaddingX;
            const bool wraps = columns[c].kind == ReportPages::Column::Kind::Text;
            wrapped.push_back(!wraps || fits ? QStringList{cell}
                                             : wrap(style.metrics, cell, widths[c] - 2 * CellPaddingX));
            lines = std::max(lines, std::size_t(wrapped.back().size()));
        }
        const double height = double(lines) * style.metrics.lineSpacing() + 2 * CellPaddingY;
        return {0, height, [this, &widths, &columns, &measured, wrapped, &style, height, shaded](double top) {
                    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
                    if (shaded)
                        m_painter.fillRect(QRectF(m_left, top, total, height), QColor(0xe8, 0xe8, 0xe8));
                    m_painter.setFont(style.font);
                    const QFontMetricsF& fm = style.metrics;
                    double x = m_left;
                    for (std::size_t c = 0; c < widths.size(); ++c) {
                        for (qsizetype i = 0; i < wrapped[c].size(); ++i) {
                            const QString& line = wrapped[c][i];
                            const bool right = columns[c].kind == ReportPages::Column::Kind::Number;
                            const double left = right && c < measured.size()
                                                    ? x + widths[c] - CellPaddingX - measured[c]
                                                    : x + CellPaddingX;
                            m_painter.drawText(
                                QPointF(left, top + CellPaddingY + fm.ascent() + i * fm.lineSpacing()), line);
                        }
                        x += widths[c];
                    }
                    // A rule under every row; the shaded header row needs none above it.
                    m_painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.5));
                    m_painter.drawLine(QPointF(m_left, top + height), QPointF(m_left + total, top + height));
                    m_painter.setPen(Qt::black);
                }};
    }

    void addTable(std::vector<Piece>& pieces, const ReportPages::Block& block) const {
        const std::vector<double>& widths = m_columnWidths.at(block.tableKind);
        const int header = int(pieces.size());
        pieces.push_back(rowPiece(widths, block.columns, titlesOf(block), &block.columns, true, true));
        pieces.back().space = 0.5 * Millimetre;
        pieces.back().keepWithNext = true;
        for (const QStringList& row : block.rows) {
            pieces.push_back(rowPiece(widths, block.columns, row, &row, false, false));
            pieces.back().header = header;
        }
        if (!block.totals.isEmpty()) {
            pieces.push_back(rowPiece(widths, block.columns, block.totals, &block.totals, true, false));
            pieces.back().header = header;
        }
        pieces[std::size_t(header)].tableEnd = int(pieces.size());
    }

    std::vector<Piece> piecesOf(const std::vector<ReportPages::Block>& blocks) const {
        using Kind = ReportPages::Block::Kind;
        std::vector<Piece> pieces;
        for (const ReportPages::Block& block : blocks) {
            const QString text = block.runs.empty() ? QString() : block.runs.front().text;
            switch (block.kind) {
            case Kind::Title:
                pieces.push_back(textPiece(text, m_title, 0, true));
                break;
            case Kind::Heading:
                pieces.push_back(textPiece(text, m_heading, 5 * Millimetre, true));
                break;
            case Kind::Subheading:
                pieces.push_back(textPiece(text, m_subheading, 2.5 * Millimetre, true));
                break;
            case Kind::Paragraph:
                pieces.push_back(paragraphPiece(block.runs));
                break;
            case Kind::Table:
                addTable(pieces, block);
                break;
            }
        }
        return pieces;
    }

    // How much room piece `i` wants before it is painted: a heading its own height and that of what
    // it keeps with; a table's header row the whole table; anything else its own height. A unit
    // taller than a page wants what fits: its first piece, with a table's header its first row.
    std::vector<double> unitHeights(const std::vector<Piece>& pieces) const {
        const double page = m_bottom - m_top;
        std::vector<double> units(pieces.size());
        for (std::size_t i = pieces.size(); i-- > 0;) {
            const Piece& piece = pieces[i];
            double unit = piece.height;
            if (piece.tableEnd > 0) {
                for (std::size_t row = i + 1; row < std::size_t(piece.tableEnd); ++row)
                    unit += pieces[row].height;
                if (unit > page)
                    unit = piece.height + (i + 1 < pieces.size() ? pieces[i + 1].height : 0);
            } else if (piece.keepWithNext && i + 1 < pieces.size()) {
                unit += pieces[i + 1].space + units[i + 1];
                if (unit > page)
                    unit = piece.height + pieces[i + 1].space + pieces[i + 1].height;
            }
            units[i] = unit;
        }
        return units;
    }

    void paintPieces(const std::vector<Piece>& pieces) {
        const std::vector<double> units = unitHeights(pieces);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const Piece& piece = pieces[i];
            double space = m_y > m_top ? piece.space : 0;
            if (m_y > m_top && m_y + space + units[i] > m_bottom) {
                newPage();
                space = 0;
                if (piece.header >= 0) {
                    const Piece& header = pieces[std::size_t(piece.header)];
                    header.paint(m_y);
                    m_y += header.height;
                }
            }
            m_y += space;
            piece.paint(m_y);
            m_y += piece.height;
        }
    }

    void pageNumber() {
        m_painter.setFont(m_body.font);
        const QString number = QString::number(m_page);
        const double width = m_body.metrics.horizontalAdvance(number);
        m_painter.drawText(QPointF(m_left + (m_width - width) / 2, m_pageHeight - Margin / 2), number);
    }

    void newPage() {
        pageNumber();
        m_writer.newPage();
        ++m_page;
        m_y = m_top;
    }

    QPdfWriter& m_writer;
    const std::vector<ReportPages::Block>& m_blocks;
    mutable QPainter m_painter;
    Style m_body;
    Style m_bold;
    Style m_title;
    Style m_heading;
    Style m_subheading;
    std::map<QString, std::vector<double>> m_columnWidths;
    std::map<const void*, std::vector<double>> m_cellWidths;
    double m_left = 0;
    double m_width = 0;
    double m_top = 0;
    double m_bottom = 0;
    double m_pageHeight = 0;
    double m_y = 0;
    int m_page = 1;
};

} // namespace

void ReportPages::add(Block::Kind kind, const QString& text) {
    Block block;
    block.kind = kind;
    block.runs.push_back({text, false});
    m_blocks.push_back(std::move(block));
}

void ReportPages::paragraph(std::vector<Run> runs) {
    Block block;
    block.kind = Block::Kind::Paragraph;
    block.runs = std::move(runs);
    m_blocks.push_back(std::move(block));
}

void ReportPages::table(const QString& kind, std::vector<Column> columns, std::vector<QStringList> rows,
                        QStringList totals) {
    Block block;
    block.kind = Block::Kind::Table;
    block.tableKind = kind;
    block.columns = std::move(columns);
    block.rows = std::move(rows);
    block.totals = std::move(totals);
    m_blocks.push_back(std::move(block));
}

QByteArray ReportPages::pdf(QPageSize::PageSizeId paper, const QString& documentTitle) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(u"Kelvora"_s);
        writer.setTitle(documentTitle);
        writer.setResolution(Dpi);
        writer.setPageSize(QPageSize(paper));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        Renderer(writer, m_blocks).run();
    }
    return bytes;
}

} // namespace kelvora
