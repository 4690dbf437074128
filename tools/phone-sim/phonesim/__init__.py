"""The phone simulator's own code: wire codec, served captures, answers, faults and the session."""
