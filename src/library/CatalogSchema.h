#pragma once

// The tables of the catalogue file, for the catalogue delivered with the
// program and for tests; the program itself never creates them. Inserts
// list their values by position, so the column order is fixed. Text compares
// ignoring case, as the catalogue always has.
inline constexpr const char* kCatalogSchemaSql =
    "create table QVXModels (FileName TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,"
    " Width REAL, Depth REAL, Height REAL, Price REAL, Description TEXT COLLATE NOCASE,"
    " SerialNo TEXT COLLATE NOCASE, Rate INTEGER, Vender TEXT COLLATE NOCASE);"
    "create table Maps (FileName TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,"
    " Width REAL, Height REAL, Price REAL, Description TEXT COLLATE NOCASE,"
    " SerialNo TEXT COLLATE NOCASE, Rate INTEGER, Vender TEXT COLLATE NOCASE);"
    "create table TMaps (FileName TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,"
    " Width REAL, Height REAL, Price REAL, Description TEXT COLLATE NOCASE,"
    " SerialNo TEXT COLLATE NOCASE, Rate INTEGER, Reserved1 INTEGER, Reserved2 INTEGER,"
    " Vender TEXT COLLATE NOCASE);"
    "create table DoorWindowData (Size TEXT COLLATE NOCASE, Reserved TEXT);";
