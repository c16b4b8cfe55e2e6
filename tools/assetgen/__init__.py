"""Generators for the game's pictures and sounds (Python standard library only)."""
