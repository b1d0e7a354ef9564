#pragma once

// Shows the busy cursor over every window of the program while it lives, for
// work the user has to wait for (reading and saving files, cutting, long
// computations). Waits may nest; the cursor stays busy until the outermost
// ends. A dialog or message box that comes up meanwhile gets the ordinary
// cursor (see Suspension), since it waits for the user rather than the other
// way round.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Lifts the busy cursor for its lifetime; the modal seam holds one while
    // the user answers.
    class Suspension
    {
    public:
        Suspension();
        ~Suspension();
        Suspension(const Suspension&) = delete;
        Suspension& operator=(const Suspension&) = delete;
    };
};
