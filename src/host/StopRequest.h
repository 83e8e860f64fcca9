#pragma once

class MainWindowHost;

// A stop from outside (SIGTERM from a director, a service manager or run.sh;
// Ctrl+C): open message boxes close with their default answer, later ones
// are not shown, and once no box is open any more the window closes without
// asking (or the event loop ends when there is no window). A start that is
// still on its way finds the request when it returns and ends there.
class StopRequest
{
public:
    static void request(MainWindowHost *window);
    static bool requested();
    // Forgets the request and lets boxes show again.
    static void reset();
};
