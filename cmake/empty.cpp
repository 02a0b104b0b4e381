// Placeholder unit for a program folder that has no units yet.
