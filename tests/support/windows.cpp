#include "support/loaded.h"
#include "support/windows.h"

Windows::Windows(RandomGenerator &generator, MessageSink *messages)
    : m_shared(generator)
{
    qputenv("HOME", m_home.path().toLocal8Bit());
    m_forms = std::make_unique<Forms>(messages ? *messages : recorded, m_shared);
    m_forms->Start();
    QVERIFY(QTest::qWaitForWindowActive(main(), kLoadedMs));
}

void Windows::end()
{
    m_forms.reset(); // a batch still running stops, and its threads end, before the folder goes
}

void Windows::setBounds(const QString &minimum, const QString &maximum)
{
    typeInto(textBox("txtMinValue"), minimum);
    typeInto(textBox("txtMaxValue"), maximum);
}

void Windows::draw(const QString &minimum, const QString &maximum)
{
    setBounds(minimum, maximum);
    QTest::mouseClick(button("cmdGenerateRandomNumber"), Qt::LeftButton);
}

void Windows::openBatchForm(const QString &minimum, const QString &maximum)
{
    setBounds(minimum, maximum);
    QTest::mouseClick(button("cmdOpenBatchForm"), Qt::LeftButton);
    QVERIFY(exportWindow());
    QVERIFY(QTest::qWaitForWindowActive(exportWindow(), kLoadedMs));
}

void Windows::go(const QString &count)
{
    typeInto(countBox(), count);
    QTest::mouseClick(child<QPushButton>(exportWindow(), "cmdCreateOutPut"), Qt::LeftButton);
}

QStringList Windows::exportedLines(const char *name) const
{
    QFile file(exportFile(name));
    if (!file.open(QIODevice::ReadOnly))
        return { QStringLiteral("<missing>") };
    QString text = QString::fromLatin1(file.readAll());
    if (!text.endsWith(QLatin1String("\r\n")))
        return { QStringLiteral("<no CR LF at the end>") };
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

QStringList Windows::homeFiles() const
{
    return QDir(home()).entryList(QDir::Files | QDir::Hidden);
}

QString thanks(const QString &path)
{
    return QStringLiteral("The random numbers are exported into '%1'. Thanks.").arg(QDir::toNativeSeparators(path));
}
