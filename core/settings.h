// The settings, language and progress files: "prefs.ini" (display mode), "Country.ini"
// (language), "Langs/.../Lang.txt" with "quit.txt", and "Played.Bin" (finished stages).
// Every reader treats bytes missing from a short file as 0; every writer writes a temporary
// file and renames it over the old one, and a write that fails is skipped.
#pragma once

#include <string>

// The language chosen at start-up: 0 none yet, 1 English, 2 French, 3 German, 4 Italian (other
// bytes of "Country.ini" are kept as read and name no language).
extern int Language;
// Decimal character codes of the first letters of quit.txt's two lines ("-1" when empty).
extern std::string yes, no;

// Reads "prefs.ini" into Mode (creating it holding 0 when it is missing or not writable) and
// sets md = Lang[11 + Mode] for Mode 0 to 2.
void ReadPrefs();
// Writes "prefs.ini" holding the low 8 bits of `mode`; false when the write failed.
bool WritePrefs(int mode);

// Reads "Country.ini": its byte, or 0 when the file is missing (LangRect then keeps its value;
// otherwise LangRect takes the byte too).
int ReadCountry();
// Writes "Country.ini" holding the low 8 bits of `language`; false when the write failed.
bool WriteCountry(int language);

// The language files of a language 1 to 4, or "" for any other value.
std::string LangFileFor(int language);
std::string QuitFileFor(int language);
// The folder of the pictures that carry words: "Images/", "Images/fr/", ...; "Images/" for
// any value that names no language.
std::string PictureDirFor(int language);

// Reads quit.txt into yes and no, then the first 177 lines of the language file into
// Lang[0..176]. A language without files, or a missing file, reads nothing.
void ReadLanguage(int language);

// Reads "Played.Bin" into Played[1..70]; missing bytes are 0.
void ReadPlayed();
// Writes Played[1..70] to Path + "Played.Bin", one byte each; false when the write failed and
// the old file stays.
bool WritePlayed();
