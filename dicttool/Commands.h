// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct Invocation;

// The commands of lexitrainer-dict. Each returns its exit status and throws UsageError on wrong
// usage, BadInput on a faulty input and Failure on a failed read or write.
int runImport(const Invocation& invocation);
int runExport(const Invocation& invocation);
int runDecode(const Invocation& invocation);
int runEncode(const Invocation& invocation);
int runResults(const Invocation& invocation);
