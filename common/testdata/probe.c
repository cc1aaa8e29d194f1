int ProbeMarker() { return 0; }
