#pragma once

#include <QString>
#include <QByteArray>
#include <stdexcept>

// Every failure the program reports is an exception that carries the
// program's own message text; the general handler shows that text as it is.
class VistranoError : public std::runtime_error
{
public:
    explicit VistranoError(const QString &message)
        : std::runtime_error(message.toUtf8().toStdString()), m_message(message) {}

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

// Data ended before a reader got what it needed.
class EReadError : public VistranoError
{
public:
    EReadError() : VistranoError(QStringLiteral("Stream read error")) {}
    explicit EReadError(const QString &message) : VistranoError(message) {}
};

// A write to a file or stream failed.
class EWriteError : public VistranoError
{
public:
    EWriteError() : VistranoError(QStringLiteral("Stream write error")) {}
    explicit EWriteError(const QString &message) : VistranoError(message) {}
};

// A picture file cannot be decoded (wrong format, unknown extension, too large).
class EInvalidGraphic : public VistranoError
{
public:
    using VistranoError::VistranoError;
};
