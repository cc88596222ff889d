#pragma once

// The run-time library's report of an invalid parameter, such as a null output array handed to
// a classic function. The function that detects it calls qvReportInvalidParameter with its own
// name and the failing expression, writes nothing through the bad parameter and returns.
//
// The report goes to the installed handler. The default handler writes one line to the error
// stream ("invalid parameter: <expression> in <function>") and returns, so the program goes on;
// tests install a handler that counts the reports.
using QvInvalidParameterHandler = void (*)(const char* function, const char* expression);

void qvReportInvalidParameter(const char* function, const char* expression);

// Installs a handler (null restores the default) and answers the previous one.
QvInvalidParameterHandler qvSetInvalidParameterHandler(QvInvalidParameterHandler handler);
