"""Faults the phone shows on demand, so that tests can see how the plug-in copes."""
from dataclasses import dataclass, field


@dataclass
class Faults:
    # Close the socket without DISCONNECT after this many bytes of the first answer of this kind.
    vanish_kind: int = None
    vanish_after: int = 0
    # Send every answer at this many bytes a second.
    rate: float = None
    # Stop for this long halfway through every answer of this kind.
    pause_kind: int = None
    pause_seconds: float = 0.0
    # Put in both lists instead of every real capture name.
    hostile_name: bytes = None
    # Kinds that get no answer.
    refused: set = field(default_factory=set)
    vanished: bool = False

    def vanish_point(self, kind, total):
        """Where the answer being sent is cut, or None to send it whole."""
        if self.vanished or kind != self.vanish_kind:
            return None
        return min(self.vanish_after, total)

    def pause_point(self, kind, total):
        return total // 2 if kind == self.pause_kind and self.pause_seconds > 0 else None
