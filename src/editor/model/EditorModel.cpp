// placeholder until the editor model lands
