#pragma once

// Marks the span in which a parameter writes into its own control: the
// control events this raises are no user input and the parameter ignores
// them. Nests; the flag gets its old state back at the end.
class EventsOff
{
public:
    explicit EventsOff(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~EventsOff() { m_flag = m_old; }
    EventsOff(const EventsOff &) = delete;
    EventsOff &operator=(const EventsOff &) = delete;

private:
    bool &m_flag;
    bool m_old;
};
