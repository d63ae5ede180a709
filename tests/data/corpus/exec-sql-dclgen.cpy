           COPY DCLEMP.
