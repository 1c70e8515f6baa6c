#pragma once

// wx asserts on menu and window ids of 32767 and above because Windows keeps
// only 16 bits of them; GTK keeps them whole, and the program's command
// numbers are fixed and reach 62050. While any object of this class lives,
// that one assert is let through; every other goes to the handler that was
// set before the first of them.
class CAllowHighCommandIds {
public:
    CAllowHighCommandIds();
    ~CAllowHighCommandIds();
    CAllowHighCommandIds(const CAllowHighCommandIds&) = delete;
    CAllowHighCommandIds& operator=(const CAllowHighCommandIds&) = delete;
};
