// Windows command lines: how a program's C runtime splits one into arguments, and how to quote
// one argument so that it arrives exactly as meant.
#pragma once

#include <string>
#include <vector>

namespace sysaccess {

// Splits the arguments after the program name by the rules of CommandLineToArgvW and the
// C runtime: white space separates, double quotes group, 2n backslashes before a quote become n
// (and the quote groups), 2n+1 become n and a literal quote; other backslashes are literal.
// The first element is the program name, which ends at the first white space, or at the closing
// quote when it starts with one.
std::vector<std::string> SplitCommandLine(const std::string& line);

// Quotes arg in double quotes so that SplitCommandLine gives it back unchanged: a double quote
// becomes \" and backslashes before a quote or before the closing quote are doubled. An argument
// without quotes or trailing backslashes is simply enclosed in quotes.
std::string QuoteArgument(const std::string& arg);

} // namespace sysaccess
