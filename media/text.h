// Text and number helpers. Positions in strings count from 1.
#pragma once

#include <string>

namespace media {

std::string Upper(const std::string& s);
std::string Lower(const std::string& s);
std::string Trim(const std::string& s);  // spaces and control characters at both ends
std::string Left(const std::string& s, int n);
std::string Right(const std::string& s, int n);
std::string Mid(const std::string& s, int pos, int n = -1);              // n < 0: to the end
int Instr(const std::string& s, const std::string& sub, int start = 1);  // 0 when absent
std::string Str(int value);
std::string Str(float value);
int Asc(const std::string& s);  // the first byte, or -1 for an empty string
std::string Chr(int code);
int Abs(int v);
float Abs(float v);
float Sin(float degrees);
float Cos(float degrees);
double Rnd(double low = 0.0, double high = 1.0);  // a uniform real; deterministic after SeedRnd
void SeedRnd(int seed);

}  // namespace media
