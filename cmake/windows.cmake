# Windows deliverables (cross build only).
