#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <vector>

namespace kelvora {

// A document of headings, paragraphs and tables, laid out on pages and printed as PDF with real
// text. Made for long reports: it draws straight onto the PDF, row by row, instead of laying the
// whole document out first. A heading stays with what follows it, a table that fits on a page is
// not split, one that goes on over a page break repeats its header row there; every page carries
// its number.
class ReportPages {
public:
    struct Column {
        enum class Kind {
            Text,   // wrapped at blanks when it is too long for its share of the width
            Fixed,  // a time or a code: never wrapped
            Number, // never wrapped, right-aligned
        };
        QString title;
        Kind kind = Kind::Text;
    };
    struct Run {
        QString text;
        bool bold = false;
    };
    struct Block {
        enum class Kind { Title, Heading, Subheading, Paragraph, Table };
        Kind kind = Kind::Paragraph;
        std::vector<Run> runs; // the text of every kind but a table
        // A table: the tables of one kind share their column widths, so they line up page after page.
        QString tableKind;
        std::vector<Column> columns;
        std::vector<QStringList> rows;
        QStringList totals; // printed in bold under the rows; none when empty
    };

    void title(const QString& text) { add(Block::Kind::Title, text); }
    void heading(const QString& text) { add(Block::Kind::Heading, text); }
    void subheading(const QString& text) { add(Block::Kind::Subheading, text); }
    void paragraph(std::vector<Run> runs);
    void table(const QString& kind, std::vector<Column> columns, std::vector<QStringList> rows,
               QStringList totals = {});

    QByteArray pdf(QPageSize::PageSizeId paper, const QString& documentTitle) const;

private:
    void add(Block::Kind kind, const QString& text);

    std::vector<Block> m_blocks;
};

} // namespace kelvora
