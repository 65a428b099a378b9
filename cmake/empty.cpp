// Placeholder translation unit for a folder whose sources arrive with a later change.
