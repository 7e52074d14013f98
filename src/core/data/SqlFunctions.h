#pragma once

struct sqlite3;

namespace zidezo {

// Registers the dialect functions the program's statements use: Now() reads the program clock,
// Round() rounds halves to even, Len() counts characters, Int(), IIf(), UCase(), LCase().
bool RegisterSqlFunctions(sqlite3* database);

// Half-to-even rounding at the given number of decimals (the engine's Round()).
double RoundHalfEven(double value, int decimals = 0);

}  // namespace zidezo
