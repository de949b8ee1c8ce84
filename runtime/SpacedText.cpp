#include "runtime/SpacedText.h"

#include "runtime/GlyphInk.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace {

// More than this between two letters would only mean the font draws them overlapping on purpose.
constexpr int MostGap = 3;
// As wide as Qt lets a line that is not wrapped be.
constexpr qreal Unbounded = 0x01000000;

struct TPlacedGlyph {
    QRawFont font;
    quint32 index = 0;
    QPointF at;
    bool underline = false;
};
using TCharGlyphs = std::vector<TPlacedGlyph>;

// The text without the "&" marks, and where the marked characters stand in it ("&&" is "&").
QString WithoutMarks(const QString& text, bool underline, QList<int>& marked) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            break;
        if (text[i] != u'&' && underline)
            marked += int(plain.size());
        plain += text[i];
    }
    return plain;
}

// The glyphs each character of the line's text gives, in the order of the characters; a glyph
// two characters make together belongs to the first.
std::vector<TCharGlyphs> GlyphsByCharacter(const QTextLayout& layout, const QList<int>& marked) {
    std::vector<TCharGlyphs> glyphs(layout.text().size());
    std::vector<std::pair<quint32, QPointF>> seen;
    for (int i = 0; i < int(glyphs.size()); ++i)
        for (const QGlyphRun& run : layout.glyphRuns(i, 1)) {
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype k = 0; k < indexes.size(); ++k) {
                const auto glyph = std::make_pair(indexes[k], positions[k]);
                if (std::find(seen.begin(), seen.end(), glyph) != seen.end())
                    continue;
                seen.push_back(glyph);
                glyphs[i].push_back({run.rawFont(), indexes[k], positions[k],
                                     run.underline() || marked.contains(i)});
            }
        }
    return glyphs;
}

bool Inked(const TCharGlyphs& glyphs) {
    return std::any_of(glyphs.begin(), glyphs.end(), [](const TPlacedGlyph& glyph) {
        return !TGlyphInk::Of(glyph.font, glyph.index).Empty();
    });
}

bool Touch(const TCharGlyphs& left, const TCharGlyphs& right, int shift) {
    for (const TPlacedGlyph& a : left)
        for (const TPlacedGlyph& b : right) {
            const QPoint offset(qRound(b.at.x() + shift - a.at.x()), qRound(b.at.y() - a.at.y()));
            if (TGlyphInk::Of(a.font, a.index).Touches(TGlyphInk::Of(b.font, b.index), offset))
                return true;
        }
    return false;
}

// Moves every character right by the gaps before it; returns the pixels added in all.
int Spread(const QString& text, std::vector<TCharGlyphs>& glyphs) {
    int shift = 0;
    const TCharGlyphs* previous = nullptr;
    for (int i = 0; i < int(glyphs.size()); ++i) {
        TCharGlyphs& current = glyphs[i];
        if (current.empty())
            continue;
        // A mark goes with the letter it sits on.
        if (!text[i].isMark()) {
            if (!Inked(current)) {
                previous = nullptr;
            } else {
                for (int extra = 0; previous && extra < MostGap && Touch(*previous, current, shift);
                     ++extra)
                    ++shift;
                previous = &current;
            }
        }
        for (TPlacedGlyph& glyph : current)
            glyph.at.rx() += shift;
    }
    return shift;
}

// Neighbouring glyphs of one font make one run.
QList<QGlyphRun> Runs(const std::vector<TCharGlyphs>& glyphs) {
    QList<QGlyphRun> runs;
    const TPlacedGlyph* last = nullptr;
    for (const TCharGlyphs& character : glyphs)
        for (const TPlacedGlyph& glyph : character) {
            if (!last || last->font != glyph.font) {
                runs.append(QGlyphRun());
                runs.back().setRawFont(glyph.font);
            }
            QGlyphRun& run = runs.back();
            run.setGlyphIndexes(run.glyphIndexes() << glyph.index);
            run.setPositions(run.positions() << glyph.at);
            last = &glyph;
        }
    return runs;
}

// The underlines from the first underlined glyph of a stretch to where the next glyph, or the
// line, begins, so that an underline goes on under the gaps.
QList<QLineF> Underlines(const std::vector<TCharGlyphs>& glyphs, qreal lineEnd) {
    QList<QLineF> lines;
    std::optional<QPointF> start;
    for (const TCharGlyphs& character : glyphs)
        for (const TPlacedGlyph& glyph : character) {
            if (start && !glyph.underline) {
                lines += QLineF(*start, QPointF(glyph.at.x(), start->y()));
                start.reset();
            } else if (!start && glyph.underline) {
                start = glyph.at;
            }
        }
    if (start)
        lines += QLineF(*start, QPointF(lineEnd, start->y()));
    return lines;
}

// Where the next line may start after `from`: past one word and the spaces after it.
qsizetype NextBreak(const QString& text, qsizetype from) {
    while (from < text.size() && !text[from].isSpace())
        ++from;
    while (from < text.size() && text[from].isSpace())
        ++from;
    return from;
}

QString WithoutTrailingSpaces(QString text) {
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

QList<int> MarksFrom(const QList<int>& marked, qsizetype from) {
    QList<int> moved;
    for (int mark : marked)
        if (mark >= from)
            moved += int(mark - from);
    return moved;
}

} // namespace

TSpacedText::TSpacedText(const QFont& font, const QRect& rect, int flags, const QString& text)
    : font_(font), rect_(rect), flags_(flags) {
    font_.setStyleStrategy(QFont::NoAntialias);
    QList<int> marked;
    QString plain = flags & Qt::TextShowMnemonic
                        ? WithoutMarks(text, !(flags & Qt::TextHideMnemonic), marked)
                    : flags & Qt::TextHideMnemonic ? WithoutMarks(text, false, marked)
                                                   : text;
    plain.replace(QChar::LineSeparator, u'\n');
    if (flags & Qt::TextSingleLine)
        plain.replace(u'\n', u' ');
    const qreal lineWidth = flags & Qt::TextWordWrap ? std::max(0, rect.width()) : Unbounded;
    QList<TLine> lines;
    qsizetype start = 0;
    for (const QString& paragraph : plain.split(u'\n')) {
        lines += SetParagraph(paragraph, MarksFrom(marked, start), lineWidth);
        start += paragraph.size() + 1;
    }
    Place(lines);
}

QList<TSpacedText::TLine> TSpacedText::SetParagraph(const QString& paragraph,
                                                    const QList<int>& marked, qreal lineWidth) {
    if (lineWidth >= Unbounded)
        return {SetLine(paragraph, marked)};
    // Each line takes as many whole words as fit; a word wider than the line has one of its own.
    QList<TLine> lines;
    qsizetype start = 0;
    do {
        qsizetype end = NextBreak(paragraph, start);
        TLine line = SetLine(WithoutTrailingSpaces(paragraph.mid(start, end - start)),
                             MarksFrom(marked, start));
        for (qsizetype next = NextBreak(paragraph, end); next != end;
             next = NextBreak(paragraph, end)) {
            TLine longer = SetLine(WithoutTrailingSpaces(paragraph.mid(start, next - start)),
                                   MarksFrom(marked, start));
            if (longer.width > lineWidth)
                break;
            line = longer;
            end = next;
        }
        lines += line;
        start = end;
    } while (start < paragraph.size());
    return lines;
}

// A window sets the same few captions over and over, at every paint and every measure: each
// line is set once and kept, as far as a bound that no window comes near.
TSpacedText::TLine TSpacedText::SetLine(const QString& text, const QList<int>& marked) {
    static std::mutex guard;
    static std::map<QString, TLine> set;
    constexpr std::size_t MostKept = 2048;
    QString key = font_.key() + u'\n' + text;
    for (const int mark : marked)
        key += u'\n' + QString::number(mark);
    const std::lock_guard lock(guard);
    if (const auto found = set.find(key); found != set.end())
        return found->second;
    if (set.size() >= MostKept)
        set.clear();
    return set.emplace(key, NewLine(text, marked)).first->second;
}

TSpacedText::TLine TSpacedText::NewLine(const QString& text, const QList<int>& marked) const {
    QTextLayout layout(text, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(Unbounded);
    layout.endLayout();
    std::vector<TCharGlyphs> glyphs = GlyphsByCharacter(layout, marked);
    const int gaps = Spread(text, glyphs);
    const qreal width = line.naturalTextWidth() + gaps;
    return {Runs(glyphs), Underlines(glyphs, width), width, line.ascent() + line.descent(), gaps};
}

// Lines stand on whole pixels one below the other, the font's leading between them, each aligned
// on its own, the block of them aligned in the rectangle.
void TSpacedText::Place(QList<TLine>& lines) {
    const qreal leading = QFontMetricsF(font_).leading();
    qreal height = -leading;
    qreal width = 0;
    std::vector<qreal> tops;
    for (const TLine& line : lines) {
        height = std::ceil(height + leading);
        tops.push_back(height);
        height += line.height;
        width = std::max(width, line.width);
        gaps_ += line.gaps;
    }
    const auto spare = [&](qreal room, qreal used, int near, int centre) {
        return flags_ & near ? room - used : flags_ & centre ? (room - used) / 2 : 0;
    };
    const qreal top = rect_.y() + spare(rect_.height(), height, Qt::AlignBottom, Qt::AlignVCenter);
    bounds_ = QRectF(rect_.x() + spare(rect_.width(), width, Qt::AlignRight, Qt::AlignHCenter), top,
                     width, height);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QPointF origin(
            rect_.x() + spare(rect_.width(), lines[i].width, Qt::AlignRight, Qt::AlignHCenter),
            top + tops[i]);
        for (const QLineF& underline : lines[i].underlines)
            underlines_ += underline.translated(origin);
        for (QGlyphRun& run : lines[i].runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& position : positions)
                position += origin;
            run.setPositions(positions);
            runs_ += run;
        }
    }
}

void TSpacedText::Draw(QPainter& painter) const {
    painter.save();
    // Text that fits keeps what stands out of its lines' boxes (the dot of a small "İ").
    if (!(flags_ & Qt::TextDontClip) && !QRectF(rect_).contains(bounds_))
        painter.setClipRect(rect_, Qt::IntersectClip);
    for (const QGlyphRun& run : runs_)
        painter.drawGlyphRun(QPointF(0, 0), run);
    // As Qt draws its own underlines: below the baseline by the font's underline position
    // rounded up, from and to whole pixels across, as thick as the font's lines.
    const QFontMetricsF metrics(font_);
    QPen pen(painter.pen().brush(), metrics.lineWidth(), Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    const qreal down = std::ceil(metrics.underlinePos()) + metrics.lineWidth() / 2;
    for (const QLineF& line : underlines_)
        painter.drawLine(QLineF(std::floor(line.x1()), line.y1() + down, std::floor(line.x2()),
                                line.y1() + down));
    painter.restore();
}
