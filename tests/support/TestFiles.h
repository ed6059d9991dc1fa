#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>
#include <ostream>

// Test failures show texts as text rather than as UTF-16 units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// A fresh folder for one test's files, removed when the test ends.
class TestFolder
{
public:
    TestFolder();
    QString Path(const QString &name) const;
    QString Root() const;
    // Writes the bytes to a file in the folder and returns its path.
    QString Write(const QString &name, const QByteArray &bytes) const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QByteArray ReadFileBytes(const QString &path);

// Points $XDG_CACHE_HOME at the folder, so that nothing a test runs (the
// thumbnail cache) reads or writes the user's own cache.
void KeepUserCacheIn(const TestFolder &folder);

// The bytes of the values, for hand-made files.
QByteArray ByteString(std::initializer_list<int> values);

// Path of a program built beside the program (bin/ of the build folder).
QString BuiltProgram(const QString &name);

// Runs a program and returns its exit status (-1 when it could not start or
// crashed); its standard output and error are captured into the arguments
// when they are given.
int RunProgram(const QString &program, const QStringList &args, QByteArray *out = nullptr,
               QByteArray *err = nullptr, int timeoutMs = 120000);

// A 440 Hz tone as a 16-bit mono WAV file of that length and sample rate, at
// a quarter of full scale.
QByteArray ToneWav(double seconds, int rate = 8000);
