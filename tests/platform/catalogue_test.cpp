// The translation catalogues are complete and current: lupdate run over the
// texts finds nothing new to translate and nothing gone, and every
// translation keeps what the code and the user rely on in its source text.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace
{

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "obsolete", "vanished", or empty when done
};

std::vector<Message> readCatalogue(const QString &path)
{
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source") && !messages.empty()) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && !messages.empty()) {
            messages.back().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

// What a translation must keep of its source: the arguments the code fills
// in, the line breaks (message boxes keep their lines in order) and whether
// there is an accelerator key.
struct Shape {
    QStringList arguments;
    qsizetype lineBreaks = 0;
    bool accelerator = false;
    bool operator==(const Shape &) const = default;
};

Shape shapeOf(const QString &text)
{
    Shape shape;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("%\\d")).globalMatch(text);
    while (it.hasNext())
        shape.arguments << it.next().captured();
    shape.arguments.sort();
    shape.lineBreaks = text.count(QLatin1Char('\n'));
    shape.accelerator = text.contains(QRegularExpression(QStringLiteral("&[^& ]")));
    return shape;
}

std::string describe(const Shape &s)
{
    return "arguments [" + s.arguments.join(',').toStdString() + "], " + std::to_string(s.lineBreaks) +
           " line breaks, " + (s.accelerator ? "an" : "no") + " accelerator";
}

TEST(Catalogues, AreCompleteAndCurrent)
{
    const QStringList catalogues = QString::fromUtf8(QELVO_TS_FILES).split('|');
    const QStringList sources = QString::fromUtf8(QELVO_TEXT_SOURCES).split('|');
    const QStringList options = QString::fromUtf8(QELVO_LUPDATE_OPTIONS).split('|');
    QTemporaryDir dir;
    for (const QString &catalogue : catalogues) {
        SCOPED_TRACE(catalogue.toStdString());
        const QString copy = dir.filePath(QFileInfo(catalogue).fileName());
        ASSERT_TRUE(QFile::copy(catalogue, copy));
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(QELVO_LUPDATE), options + sources + QStringList{"-ts", copy});
        ASSERT_TRUE(lupdate.waitForFinished(60000));
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

        const std::vector<Message> messages = readCatalogue(copy);
        EXPECT_FALSE(messages.empty());
        for (const Message &m : messages) {
            const std::string where = (m.context + QStringLiteral(": ") + m.source).toStdString();
            EXPECT_EQ(m.type, QString()) << where << " is " << m.type.toStdString()
                                         << " (build the target update_translations, then translate it)";
            EXPECT_FALSE(m.translation.isEmpty()) << where;
            EXPECT_EQ(shapeOf(m.translation), shapeOf(m.source))
                << where << "\n  source: " << describe(shapeOf(m.source))
                << "\n  translation: " << describe(shapeOf(m.translation));
        }
    }
}

} // namespace
