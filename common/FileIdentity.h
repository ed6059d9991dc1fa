#pragma once

#include <QString>
#include <QStringList>

// Whether two paths lead to the same file: the same device and inode once
// symbolic links are followed, so a hard link or another spelling of a path
// counts as the same file. False when either cannot be looked up.
bool SameFile(const QString &a, const QString &b);

// The output's own name among its inputs: the first input that is the same
// file as the output, or an empty string.
QString InputAtOutput(const QString &output, const QStringList &inputs);

// No command writes over one of its own inputs: fails with "The output file
// %1 is the input file %2 itself. Choose another output file." when the
// output is the same file as an input.
void RefuseWritingOverInputs(const QString &output, const QStringList &inputs);
