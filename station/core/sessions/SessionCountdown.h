// SessionCountdown: one of a channel session's one-second countdowns (reconnect, record check,
// no-motion, preset cycle), advanced by the main dialog's tick.
#pragma once

struct SessionCountdown {
    int active;
    int count;
    int limit;

    // Fires on the tick that takes the count above the limit: a limit of 5 fires on the sixth
    // tick after arming.
    void Arm(int ticks)
    {
        active = 1;
        count = 0;
        limit = ticks;
    }
    void Clear() { active = count = limit = 0; }
    // One tick; true when the countdown fires. Firing does not reset it: the handler decides.
    bool Advance()
    {
        if (!active)
            return false;
        if (count <= limit)
            ++count;
        return count > limit;
    }
};
