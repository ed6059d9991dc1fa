#include "web/WebShowTemplate.h"

#include "common/VistranoError.h"
#include "web/WebShowData.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

[[noreturn]] void Damaged()
{
    throw VistranoError(QStringLiteral("The web page template is damaged"));
}

QByteArray ReadTemplate()
{
    QFile file(QStringLiteral(":/web/WebShowPage.html"));
    if (!file.open(QIODevice::ReadOnly))
        Damaged();
    return file.readAll();
}

// The text between the first `open` from `from` on and the `close` after it.
QByteArray Between(const QByteArray &page, const QByteArray &open, const QByteArray &close, qsizetype from = 0)
{
    const qsizetype start = page.indexOf(open, from);
    const qsizetype end = start < 0 ? -1 : page.indexOf(close, start + open.size());
    if (end < 0)
        Damaged();
    return page.mid(start + open.size(), end - start - open.size());
}

// Cuts the page at a place that must stand in it once.
QByteArray CutAt(QByteArray &rest, const QByteArray &place)
{
    const qsizetype at = rest.indexOf(place);
    if (at < 0 || rest.indexOf(place, at + 1) >= 0)
        Damaged();
    QByteArray before = rest.left(at);
    rest.remove(0, at + place.size());
    return before;
}

// The page without its marker lines, and without the lines between them
// unless a slide moves: a show standing still gets the page it always got.
QByteArray WithMotion(const QByteArray &page, bool motion)
{
    QByteArray kept;
    kept.reserve(page.size());
    bool inside = false;
    for (qsizetype at = 0; at < page.size();) {
        const qsizetype end = page.indexOf('\n', at);
        const qsizetype next = end < 0 ? page.size() : end + 1;
        const QByteArray line = page.mid(at, next - at);
        const QByteArray marker = line.trimmed();
        if (marker == "/*motion{*/" || marker == "/*}motion*/") {
            if (inside == (marker == "/*motion{*/"))
                Damaged();
            inside = !inside;
        } else if (!inside || motion) {
            kept += line;
        }
        at = next;
    }
    if (inside)
        Damaged();
    return kept;
}

QByteArray Hash(const QByteArray &text)
{
    return "'sha256-" + QCryptographicHash::hash(text, QCryptographicHash::Sha256).toBase64() + "'";
}

} // namespace

QByteArray WebShowPolicy(const QByteArray &style, const QByteArray &script)
{
    return "default-src 'none'; img-src data:; media-src data:; style-src " + Hash(style) + "; script-src "
           + Hash(script) + "; base-uri 'none'; form-action 'none'";
}

WebShowTemplate LoadWebShowTemplate(const QString &title, bool motion)
{
    QByteArray rest = WithMotion(ReadTemplate(), motion);
    // The player's script is the last script element, after the data block.
    const QByteArray style = Between(rest, "<style>", "</style>");
    const QByteArray script = Between(rest, "<script>", "</script>", rest.lastIndexOf("<script>"));

    WebShowTemplate parts;
    parts.head = CutAt(rest, "{{policy}}") + WebShowPolicy(style, script);
    parts.head += CutAt(rest, "{{title}}") + EscapeHtml(title);
    parts.head += CutAt(rest, "{{slides}}");
    parts.middle = CutAt(rest, "{{audio}}");
    parts.beforeData = CutAt(rest, "{{data}}");
    parts.tail = rest;
    return parts;
}
