int orvanePlaceholder() { return 0; }
